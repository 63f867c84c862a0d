#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// What the running engine holds of system.dat: the shared variables and keyword texts (its variable
// store) and the read flags of every script (its message text). CSystemData asks the attached host for them
// whenever it writes the file.
class ISystemDataHost {
 public:
  virtual ~ISystemDataHost() = default;
  // Current values of the shared variables.
  virtual std::map<std::string, int32_t> SharedVariables() const = 0;
  // Current keyword texts, by keyword.
  virtual std::map<std::string, std::string> Keywords() const = 0;
  // Read-flag bytes per script name (a data path relative to the working directory).
  virtual std::map<std::string, std::vector<uint8_t>> ReadFlagArrays() const = 0;
};

#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Which messages of each script file have been read: one bit array per script file, starting at
// 32 bits and doubled until a marked message number fits, so the capacity is always a multiple of
// 32. Kept in system.dat between runs.
class CReadFlags {
 public:
  // Message numbers at or beyond this are never marked: a wild number must not claim memory.
  static constexpr int32_t kMaxMessages = 1 << 24;

  void MarkRead(const std::string& script, int32_t message);
  // False for a script without an array or a number beyond its capacity.
  bool IsRead(const std::string& script, int32_t message) const;
  // The capacity in bits of a script's array; 0 when it has none.
  int32_t Capacity(const std::string& script) const;

  // The arrays as stored: bit m of byte m / 8 (lowest bit first) is message m.
  const std::map<std::string, std::vector<uint8_t>>& Arrays() const { return arrays; }
  // Replaces a script's array with stored bytes (cut or zero-padded to whole 32-bit words).
  void SetArray(const std::string& script, std::vector<uint8_t> bytes);
  void Clear() { arrays.clear(); }

 private:
  std::map<std::string, std::vector<uint8_t>> arrays;
};

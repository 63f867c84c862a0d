#pragma once
#include <cstdint>
#include <string>

// What the start-up report says about the machine.
struct SProcessorInfo {
  uint32_t featureFlags = 0;  // EDX of identification function 1; bit 23 is MMX
  std::string vendor;         // 12 characters of function 0 (EBX, EDX, ECX), empty without it
  bool HasMmx() const { return (featureFlags & (1u << 23)) != 0; }
};

// The operating system in the fields of the classic version record.
struct SOsVersion {
  int32_t majorVersion = 0;
  int32_t minorVersion = 0;
  int32_t buildNumber = 0;
  int32_t platformId = 0;
  std::string csdVersion;
};

// The display driver: the video driver and its renderer.
struct SDisplayDriverInfo {
  std::string driverName;
  std::string description;
  uint16_t version[4] = {0, 0, 0, 0};  // product, version, sub-version, build
  uint32_t vendorId = 0;
  uint32_t deviceId = 0;
  uint32_t subSysId = 0;
  uint32_t revision = 0;
};

class CSystemInfo {
 public:
  // The processor's identification; an empty vendor and no flags where the instruction is missing.
  static SProcessorInfo QueryProcessor();
  // The running kernel, from uname.
  static SOsVersion QueryOsVersion();
  // The version fields of a kernel release ("6.1.0-18-amd64": 6, 1, 0) and the text of the rest
  // of the system's name; numbers that are missing stay 0.
  static SOsVersion FromUname(const std::string& sysname, const std::string& release,
                              const std::string& version, const std::string& machine);
};

#include "platform/SystemInfo.h"

#include <sys/utsname.h>

#include <cstdlib>
#include <cstring>

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

SProcessorInfo CSystemInfo::QueryProcessor() {
  SProcessorInfo info;
#if defined(__i386__) || defined(__x86_64__)
  unsigned a = 0, b = 0, c = 0, d = 0;
  // __get_cpuid checks that the instruction and the function exist before using them.
  if (__get_cpuid(0, &a, &b, &c, &d)) {
    char vendor[12];
    std::memcpy(vendor, &b, 4);
    std::memcpy(vendor + 4, &d, 4);
    std::memcpy(vendor + 8, &c, 4);
    info.vendor.assign(vendor, sizeof vendor);
  }
  if (__get_cpuid(1, &a, &b, &c, &d)) info.featureFlags = d;
#endif
  return info;
}

SOsVersion CSystemInfo::FromUname(const std::string& sysname, const std::string& release,
                                  const std::string& version, const std::string& machine) {
  SOsVersion os;
  int32_t* fields[] = {&os.majorVersion, &os.minorVersion, &os.buildNumber};
  const char* p = release.c_str();
  for (int32_t* field : fields) {
    if (*p < '0' || *p > '9') break;
    char* end = nullptr;
    const long value = std::strtol(p, &end, 10);
    *field = value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
    if (*end != '.') break;
    p = end + 1;
  }
  // No Windows platform id applies; 0 says so rather than claiming one.
  os.platformId = 0;
  os.csdVersion = sysname + " " + release + " " + version + " " + machine;
  return os;
}

SOsVersion CSystemInfo::QueryOsVersion() {
  utsname name{};
  if (uname(&name) != 0) return SOsVersion();
  return FromUname(name.sysname, name.release, name.version, name.machine);
}

#include "io/EnvironmentReport.h"

#include "io/SystemLog.h"

void CEnvironmentReport::LogProcessor(const SProcessorInfo& cpu) {
  CSystemLog::LogMessage("\nCPU\n");
  CSystemLog::LogMessage("CPUID           0x%.8x\n", cpu.featureFlags);
  CSystemLog::LogMessage("MMX             %s\n", cpu.HasMmx() ? "対応" : "非対応");
  CSystemLog::LogMessage("ベンダーID      %s\n", cpu.vendor.c_str());
}

void CEnvironmentReport::LogOsVersion(const SOsVersion& os) {
  CSystemLog::LogMessage("\nOS\n");
  CSystemLog::LogMessage("dwMajorVersion  %d\n", os.majorVersion);
  CSystemLog::LogMessage("dwMinorVersion  %d\n", os.minorVersion);
  CSystemLog::LogMessage("dwBuildNumber   %d\n", os.buildNumber);
  CSystemLog::LogMessage("dwPlatformId    %d\n", os.platformId);
  CSystemLog::LogMessage("szCSDVersion    %s\n", os.csdVersion.c_str());
}

void CEnvironmentReport::LogDisplayDriver(const SDisplayDriverInfo& d) {
  CSystemLog::LogMessage("\nDirectDraw\n");
  CSystemLog::LogMessage("ドライバの名前  %s\n", d.driverName.c_str());
  CSystemLog::LogMessage("ドライバの記述  %s\n", d.description.c_str());
  CSystemLog::LogMessage("liDriverVersion %d %d %d %d\n", d.version[0], d.version[1], d.version[2],
                         d.version[3]);
  CSystemLog::LogMessage("dwVendorId      %d\n", static_cast<int>(d.vendorId));
  CSystemLog::LogMessage("dwDeviceId      %d\n", static_cast<int>(d.deviceId));
  CSystemLog::LogMessage("dwSubSysId      %d\n", static_cast<int>(d.subSysId));
  CSystemLog::LogMessage("dwRevision      %d\n", static_cast<int>(d.revision));
}

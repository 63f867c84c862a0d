#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "io/EnvironmentReport.h"
#include "io/SystemLog.h"

namespace {

// Runs the report steps into a fresh log and returns the file's bytes.
template <typename Steps>
std::string LogOf(Steps steps) {
  CTempDir dir;
  CSystemLog::OpenLog("system.log");
  steps();
  CSystemLog::CloseLog();
  const std::vector<uint8_t> bytes = CTempDir::Read("system.log");
  return std::string(bytes.begin(), bytes.end());
}

TEST(EnvironmentReportTest, ProcessorSectionInColumnsWithTheMmxWord) {
  SProcessorInfo cpu;
  cpu.featureFlags = 0x0383FBFF;
  cpu.vendor = "GenuineIntel";
  EXPECT_EQ(LogOf([&] { CEnvironmentReport::LogProcessor(cpu); }),
            "\r\nCPU\r\n"
            "CPUID           0x0383fbff\r\n"
            "MMX             対応\r\n"
            "ベンダーID      GenuineIntel\r\n");
  // Without the instruction: no vendor, flags 0, and so no MMX.
  EXPECT_EQ(LogOf([&] { CEnvironmentReport::LogProcessor(SProcessorInfo()); }),
            "\r\nCPU\r\n"
            "CPUID           0x00000000\r\n"
            "MMX             非対応\r\n"
            "ベンダーID      \r\n");
  // The value column is 17 in Shift JIS bytes, double-width letters counting two.
  EXPECT_EQ(std::string("ベンダーID      ").size(), 16u);
}

TEST(EnvironmentReportTest, OsSectionFromTheKernelRelease) {
  const SOsVersion os = CSystemInfo::FromUname("Linux", "6.1.0-18-amd64", "#1 SMP Debian", "x86_64");
  EXPECT_EQ(LogOf([&] { CEnvironmentReport::LogOsVersion(os); }),
            "\r\nOS\r\n"
            "dwMajorVersion  6\r\n"
            "dwMinorVersion  1\r\n"
            "dwBuildNumber   0\r\n"
            "dwPlatformId    0\r\n"
            "szCSDVersion    Linux 6.1.0-18-amd64 #1 SMP Debian x86_64\r\n");
  const SOsVersion patch = CSystemInfo::FromUname("Linux", "6.18.44-fc", "", "");
  EXPECT_EQ(patch.majorVersion, 6);
  EXPECT_EQ(patch.minorVersion, 18);
  EXPECT_EQ(patch.buildNumber, 44);
  // Releases without numbers, or with only some of them, leave the rest 0.
  const SOsVersion odd = CSystemInfo::FromUname("Linux", "5", "", "");
  EXPECT_EQ(odd.majorVersion, 5);
  EXPECT_EQ(odd.minorVersion, 0);
  EXPECT_EQ(CSystemInfo::FromUname("Linux", "custom.7", "", "").majorVersion, 0);
  EXPECT_EQ(CSystemInfo::FromUname("Linux", "99999999999.1", "", "").majorVersion, INT32_MAX);
}

TEST(EnvironmentReportTest, DisplaySectionInTheDriverFieldLayout) {
  SDisplayDriverInfo d;
  d.driverName = "x11";
  d.description = "opengl accelerated vsync";
  d.version[0] = 2;
  d.version[1] = 26;
  d.version[2] = 5;
  EXPECT_EQ(LogOf([&] { CEnvironmentReport::LogDisplayDriver(d); }),
            "\r\nDirectDraw\r\n"
            "ドライバの名前  x11\r\n"
            "ドライバの記述  opengl accelerated vsync\r\n"
            "liDriverVersion 2 26 5 0\r\n"
            "dwVendorId      0\r\n"
            "dwDeviceId      0\r\n"
            "dwSubSysId      0\r\n"
            "dwRevision      0\r\n");
}

}  // namespace

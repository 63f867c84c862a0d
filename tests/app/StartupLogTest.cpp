// The system log of a start of the sample game, headless: archives with their sizes, the
// processor and the operating system; no display section without a display.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "SampleEngine.h"
#include "io/Format.h"
#include "io/SystemLog.h"
#include "platform/SystemInfo.h"

namespace {

std::string ReadLog() {
  std::ifstream in("system.log", std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatV(format, args);
  va_end(args);
  return text;
}

using StartupLogTest = CSampleEngineTest;

TEST_F(StartupLogTest, SampleStartWritesArchivesProcessorAndOs) {
  const std::string log = ReadLog();
  const SProcessorInfo cpu = CSystemInfo::QueryProcessor();
  const SOsVersion os = CSystemInfo::QueryOsVersion();
  std::string expected = "\r\nアーカイブ\r\n";
  expected += Format("system %dB\r\n", static_cast<int>(std::filesystem::file_size("system")));
  expected += Format("extra.arc %dB\r\n", static_cast<int>(std::filesystem::file_size("extra.arc")));
  expected += "\r\nCPU\r\n";
  expected += Format("CPUID           0x%.8x\r\n", cpu.featureFlags);
  expected += std::string("MMX             ") + (cpu.HasMmx() ? "対応" : "非対応") + "\r\n";
  expected += "ベンダーID      " + cpu.vendor + "\r\n";
  expected += "\r\nOS\r\n";
  expected += Format("dwMajorVersion  %d\r\ndwMinorVersion  %d\r\ndwBuildNumber   %d\r\n", os.majorVersion,
                     os.minorVersion, os.buildNumber);
  expected += Format("dwPlatformId    %d\r\nszCSDVersion    %s\r\n", os.platformId, os.csdVersion.c_str());
  EXPECT_EQ(log, expected);
  EXPECT_EQ(log.find("DirectDraw"), std::string::npos);
}

TEST_F(StartupLogTest, LoggingAfterStartUpWritesNothing) {
  EXPECT_FALSE(CSystemLog::IsOpen());
  const std::string before = ReadLog();
  CSystemLog::LogMessage("late %d\n", 1);
  RunFrames(5);
  CSystemLog::LogMessage("later\n");
  EXPECT_EQ(ReadLog(), before);
}

}  // namespace

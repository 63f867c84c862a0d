#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/SystemInfo.h"
#include "platform/sdl/SdlWindow.h"

namespace {

#if defined(__x86_64__)
// Every 64-bit x86 processor has the identification instruction and MMX.
TEST(SystemInfoTest, ProcessorOfThisMachine) {
  const SProcessorInfo cpu = CSystemInfo::QueryProcessor();
  EXPECT_EQ(cpu.vendor.size(), 12u);
  EXPECT_TRUE(cpu.HasMmx());
}
#endif

TEST(SystemInfoTest, OsVersionOfThisMachineIsTheRunningKernel) {
  const SOsVersion os = CSystemInfo::QueryOsVersion();
  EXPECT_GT(os.majorVersion, 0);
  EXPECT_EQ(os.csdVersion.rfind("Linux ", 0), 0u) << os.csdVersion;
}

// The window names its video driver and renderer once it exists, and nothing before.
TEST(SystemInfoTest, SdlWindowDescribesItsDriver) {
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  {
    CSdlWindow window(1);
    SDisplayDriverInfo info;
    EXPECT_FALSE(window.DescribeDriver(info));
    ASSERT_TRUE(window.Create("test", 64, 48, false));
    ASSERT_TRUE(window.DescribeDriver(info));
    EXPECT_EQ(info.driverName, "dummy");
    EXPECT_EQ(info.description.rfind("software", 0), 0u) << info.description;
    SDL_version v{};
    SDL_GetVersion(&v);
    EXPECT_EQ(info.version[0], v.major);
    EXPECT_EQ(info.version[1], v.minor);
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace

// The engine object on the bundled sample game with the headless backend: what a frame may and may not
// advance.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "app/GameSystem.h"
#include "io/Path.h"
#include "io/ScratchFolder.h"
#include "persist/Settings.h"
#include "platform/headless/HeadlessPlatform.h"
#include "script/ScriptRunner.h"

namespace {

class EngineFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    char buffer[4096];
    previousDir = getcwd(buffer, sizeof buffer) ? buffer : ".";
    ASSERT_TRUE(SetExeDirectoryCurrent(std::string(ZEL_BUILD_DIR) + "/sample-game"));
    // system.dat of one test must not reach the next one (nor the sample's own save folder).
    settings::SetSaveDirectoryOverride(saves.Create("zel-engine-test"));
    ASSERT_TRUE(settings::LoadSettings());
    ASSERT_TRUE(game.Startup());
  }
  void TearDown() override {
    game.Shutdown();
    settings::SetSaveDirectoryOverride("");
    ASSERT_EQ(chdir(previousDir.c_str()), 0);
  }
  // Runs frames as the headless runner does: one tick each.
  void RunFrames(int count) {
    for (int i = 0; i < count; ++i) {
      platform.AdvanceClock(++frame);
      game.Tick(0, 0);
    }
  }

  std::string previousDir;
  CScratchFolder saves;
  CHeadlessPlatform platform{CInputScript(), true};
  CGameSystem game{platform};
  int64_t frame = 0;
};

}  // namespace

TEST_F(EngineFrame, EveryFrameAdvancesExactlyOneTick) {
  RunFrames(10);
  EXPECT_EQ(game.FramesRun(), 10);
  // A long operation inside a frame (starting a script) does not swallow the next frame's tick.
  game.StartNewGame("scenario\\mainScript.adv", "");
  RunFrames(5);
  EXPECT_EQ(game.FramesRun(), 15);
}

TEST_F(EngineFrame, AnOpenMenuStopsTheScriptAndTheScreenMode) {
  game.StartNewGame("scenario\\mainScript.adv", "");
  RunFrames(3);
  const int32_t line = game.Script().GetLineIndex();
  const int32_t mode = game.Mode();
  game.SetMenuState(1);
  RunFrames(120);
  EXPECT_EQ(game.Script().GetLineIndex(), line);
  EXPECT_EQ(game.Mode(), mode);
  game.SetMenuState(0);
  RunFrames(120);
  EXPECT_TRUE(game.Script().GetLineIndex() != line || game.Mode() != mode);
}

TEST_F(EngineFrame, HiddenOrInactiveWindowRunsNoFrame) {
  RunFrames(2);
  game.SetVisible(false);
  RunFrames(5);
  EXPECT_EQ(game.FramesRun(), 2);
  game.SetVisible(true);
  game.SetInactive(true);
  RunFrames(5);
  EXPECT_EQ(game.FramesRun(), 2);
  game.SetInactive(false);
  // After a long pause the first frame advances at most one second of game time.
  RunFrames(1);
  EXPECT_EQ(game.FramesRun(), 3);
}

TEST_F(EngineFrame, ScreenModeSwitchIgnoredDuringAMovie) {
  const bool windowed = game.Display().IsWindowed();
  game.SetMode(CGameSystem::kModeMovie);
  game.ToggleScreenMode();
  EXPECT_EQ(game.Display().IsWindowed(), windowed);
  game.SetMode(CGameSystem::kModeScript);
  game.ToggleScreenMode();
  EXPECT_NE(game.Display().IsWindowed(), windowed);
}

TEST_F(EngineFrame, NoOpeningScriptStartsTheLogoSequence) {
  EXPECT_EQ(game.Mode(), CGameSystem::kModeLogo);
  EXPECT_TRUE(game.HasScreenMode());
}

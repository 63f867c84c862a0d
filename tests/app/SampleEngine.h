#pragma once
// The engine object on the bundled sample game with the headless backend, started as the first idle
// call starts it; frames run one tick each, as the headless runner runs them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "app/GameSystem.h"
#include "io/Path.h"
#include "io/ScratchFolder.h"
#include "persist/Settings.h"
#include "platform/headless/HeadlessPlatform.h"

class CSampleEngineTest : public ::testing::Test {
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
    if (game.IsDisplayReady()) game.Shutdown();
    settings::SetSaveDirectoryOverride("");
    ASSERT_EQ(chdir(previousDir.c_str()), 0);
  }
  // Runs frames with the mouse at the cursor.
  void RunFrames(int count) {
    for (int i = 0; i < count; ++i) {
      platform.AdvanceClock(++frame);
      game.Tick(cursor.x, cursor.y);
    }
  }

  std::string previousDir;
  CScratchFolder saves;
  CHeadlessPlatform platform{CInputScript(), true};
  CGameSystem game{platform};
  int64_t frame = 0;
  SPoint cursor{0, 0};
};

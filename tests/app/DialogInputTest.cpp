// The text-input dialog on the bundled sample game, fed by the headless input script as the headless
// runner feeds it: events through the main window, the input router and the dialog layer, with every
// frame checked against a whole redraw.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/RedrawCheck.h"
#include "io/Path.h"
#include "io/ScratchFolder.h"
#include "persist/Settings.h"
#include "platform/headless/HeadlessPlatform.h"
#include "ui/DialogLayer.h"

namespace {

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

CInputScript Script(const std::string& text) {
  CInputScript script;
  std::string error;
  EXPECT_TRUE(script.Parse(text, error)) << error;
  return script;
}

class DialogInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char buffer[4096];
    previousDir = getcwd(buffer, sizeof buffer) ? buffer : ".";
    ASSERT_TRUE(SetExeDirectoryCurrent(std::string(ZEL_BUILD_DIR) + "/sample-game"));
    settings::SetSaveDirectoryOverride(saves.Create("zel-dialog-test"));
    ASSERT_TRUE(settings::LoadSettings());
    ASSERT_TRUE(game.Startup());
    game.SetFrameDrawnHook([this](int32_t x, int32_t y) {
      if (check.Check(game.Display(), [this, x, y] { game.Draw(x, y); })) redrawDiffers = true;
    });
  }
  void TearDown() override {
    if (game.IsDisplayReady()) game.Shutdown();
    settings::SetSaveDirectoryOverride("");
    ASSERT_EQ(chdir(previousDir.c_str()), 0);
  }
  // Frames as the headless runner runs them: the frame's input first, then its tick.
  void RunFrames(int count) {
    for (int i = 0; i < count; ++i) {
      platform.BeginFrame(++frameNumber);
      SPlatformEvent event;
      while (platform.Events().PollEvent(event)) frame.Dispatch(event);
      platform.AdvanceClock(frameNumber);
      game.Tick(0, 0);
    }
  }
  void OpenName() {
    game.Dialogs().OpenTextInput("名前", "名前を入力してください", "", 8, false,
                                 [this](bool ok, const std::string& text) {
                                   if (ok) names.push_back(text);
                                 });
  }

  std::string previousDir;
  CScratchFolder saves;
  CHeadlessPlatform platform{Script(Utf8(u8"2 type 山田太郎x\n6 type 花子\n")), true};
  CMainFrame frame{platform};
  CGameSystem& game = frame.Game();
  CRedrawCheck check;
  bool redrawDiffers = false;
  int64_t frameNumber = 0;
  std::vector<std::string> names;
};

TEST_F(DialogInputTest, TypedTextFillsTheOpenDialogAndWaitsForTheNextOne) {
  RunFrames(1);
  OpenName();
  RunFrames(1);
  EXPECT_FALSE(game.Dialogs().IsOpen());
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0], "山田太郎") << "the ninth byte is refused";

  // Text typed while no dialog is open waits for the next one.
  RunFrames(4);
  EXPECT_EQ(names.size(), 1u);
  OpenName();
  RunFrames(1);
  EXPECT_FALSE(game.Dialogs().IsOpen());
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[1], "花子");

  // A dialog the script types nothing into stays open, and an empty name is refused.
  OpenName();
  RunFrames(10);
  EXPECT_TRUE(game.Dialogs().IsOpen());
  EXPECT_FALSE(redrawDiffers);
}

}  // namespace

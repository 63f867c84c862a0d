// The menu layer played headless by the zel binary: the system menu in both forms, its prompts, the
// shortcut keys, quick save and load, and the return to the previous choice. Input frames are laid
// out from the frame at which the game's first click wait begins.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "HeadlessPlay.h"
#include "io/TempDir.h"

namespace {

using namespace headlessplay;

// The sample game, with the frame of its first click wait.
class MenuScenario : public ::testing::Test {
 protected:
  void SetUp() override { f = FirstClick(kSample, temp.path); }
  SPlay PlaySample(const std::string& input, long frames, const std::string& options) {
    return Play(kSample, temp.path, input, frames, options);
  }

  const CTempDir temp;
  long f = 0;
};

TEST_F(MenuScenario, RightClickOpensTheSystemMenuAndEscapeClosesIt) {
  const std::string input = At(f + 10, "rclick 10 10") + At(f + 30, "move 400 108") +
                            At(f + 40, "key ESCAPE") + At(f + 60, "key RETURN");
  const SPlay play = PlaySample(input, f + 120, Shot(f + 35, temp.path, "menu.png"));
  EXPECT_EQ(play.Frame(play.Find({Menu(0, 1)})), f + 10);
  EXPECT_EQ(play.Frame(play.Find({Menu(1, 0)})), f + 40);
  EXPECT_EQ(play.Frame(play.Find({"\"event\":\"mode\",\"from\":3"})), f + 60)
      << "the game goes on after the menu";
  EXPECT_EQ(play.Count("\"msgbox\""), 0);
  const uint32_t selected = ShotPixel(temp.path / "menu.png", 310, 100);
  EXPECT_GT(selected >> 16 & 255, 0xC0u)
      << "the hovered item shows its selected look: " << std::hex << selected;
  EXPECT_LT(selected & 255, 0x60u);
}

TEST_F(MenuScenario, TheQuitItemAsksAndNoReturnsToTheGame) {
  const std::string input = At(f + 10, "rclick 10 10") + At(f + 30, "click 400 176") +
                            At(f + 60, "key RETURN") + At(f + 80, "key RETURN");
  const SPlay play = PlaySample(input, f + 140, Shot(f + 55, temp.path, "prompt.png"));
  EXPECT_EQ(play.Frame(play.Find({Menu(1, 6)})), f + 30);
  EXPECT_EQ(play.Frame(play.Find({Menu(6, 0)})), f + 60) << "Enter on the first selection, いいえ";
  EXPECT_EQ(play.Frame(play.Find({"\"event\":\"mode\",\"from\":3"})), f + 80) << "the game goes on";
  EXPECT_EQ(play.Count("\"quit\""), 0);
  EXPECT_NE(ShotPixel(temp.path / "prompt.png", 510, 314), ShotPixel(temp.path / "prompt.png", 290, 314))
      << "the selected answer looks different";
}

// S asks to quick save, Up selects はい, Enter saves; the game goes on to its choice, L asks to quick
// load, and the load resumes the page that was on screen at the save.
TEST_F(MenuScenario, QuickSaveWithSAndQuickLoadWithLResumeTheSavedPage) {
  const SPlay first = PlaySample("", f + 1, "");
  const std::string page = first.events[first.Find({"\"event\":\"click\""})];
  const std::string pageText = page.substr(page.find("\"page\""));
  const std::string input = At(f + 10, "key S") + At(f + 30, "key UP") + At(f + 31, "key RETURN") +
                            At(f + 50, "key RETURN") + At(f + 200, "key L") + At(f + 220, "key UP") +
                            At(f + 221, "key RETURN");
  const SPlay play = PlaySample(input, f + 260, "");
  const int saved = play.Find({"\"event\":\"save\",\"slot\":-1,\"ok\":true"});
  ASSERT_GE(saved, 0);
  EXPECT_EQ(play.Frame(saved), f + 31);
  EXPECT_GE(play.Find({"\"event\":\"mode\"", "\"to\":4"}, f + 50), 0) << "the game went on to the choice";
  const int loaded = play.Find({"\"event\":\"load\",\"slot\":-1,\"ok\":true"});
  ASSERT_GE(loaded, 0);
  EXPECT_EQ(play.Frame(loaded), f + 221);
  EXPECT_GE(play.Find({"\"event\":\"click\"", pageText}, f + 221), 0) << "the saved page is back";
  EXPECT_EQ(play.Count("\"msgbox\""), 0);
}

// After a choice, the menu's 前の選択肢 asks and returns to the choice, which can be taken again.
TEST_F(MenuScenario, ThePreviousChoiceReturnShowsTheChoiceAgain) {
  const std::string input = At(f + 10, "key RETURN") + At(f + 120, "key RETURN") +
                            At(f + 200, "rclick 10 10") + At(f + 220, "click 400 380") +
                            At(f + 250, "key UP") + At(f + 251, "key RETURN") + At(f + 290, "key DOWN") +
                            At(f + 291, "key RETURN");
  const SPlay play = PlaySample(input, f + 400, "");
  const int taken = play.Find({"\"event\":\"mode\",\"from\":4"});
  ASSERT_GE(taken, 0);
  EXPECT_EQ(play.Frame(taken), f + 120);
  EXPECT_EQ(play.Frame(play.Find({Menu(1, 10)})), f + 220);
  const int back = play.Find({"\"event\":\"load\",\"slot\":-2,\"ok\":true"});
  ASSERT_GE(back, 0);
  EXPECT_EQ(play.Frame(back), f + 251);
  EXPECT_GE(play.Find({"\"to\":4"}, f + 251), 0) << "the choice is shown again";
  EXPECT_GE(play.Find({Utf8(u8"本を開くと")}, f + 291), 0) << "and the other entry can be taken";
  EXPECT_EQ(play.Count("\"msgbox\""), 0);
}

TEST(MenuListScenario, TheTextListFormMovesWithTheKeysAndItsPromptHasRows) {
  const CTempDir temp;
  const fs::path game = BuildTestGame("menu_list", temp.path);
  ASSERT_FALSE(game.empty());
  const long f = FirstClick(game, temp.path);
  const std::string input = At(f + 10, "rclick 10 10") + At(f + 30, "key DOWN") + At(f + 31, "key DOWN") +
                            At(f + 32, "key DOWN") + At(f + 40, "key RETURN") + At(f + 75, "key UP") +
                            At(f + 80, "key ESCAPE") + At(f + 100, "keydown SHIFT") + At(f + 101, "key L") +
                            At(f + 102, "keyup SHIFT") + At(f + 130, "key ESCAPE");
  const std::string shots = Shot(f + 29, temp.path, "list.png") + Shot(f + 76, temp.path, "rows.png");
  const SPlay play = Play(game, temp.path, input, f + 160, shots);
  EXPECT_EQ(play.Frame(play.Find({Menu(1, 6)})), f + 40) << "three rows down is ゲーム終了";
  EXPECT_EQ(play.Frame(play.Find({Menu(6, 0)})), f + 80) << "Escape closes the open prompt";
  EXPECT_EQ(play.Frame(play.Find({Menu(0, 3)})), f + 101) << "SHIFT+L is the load button in this game";
  EXPECT_EQ(play.Frame(play.Find({Menu(3, 0)})), f + 130);
  EXPECT_EQ(play.Count("\"quit\""), 0);
  EXPECT_EQ(play.Count("\"msgbox\""), 0);
  // Six rows of 36 pixels centred in 選択肢 (110 to 360) start at 127; the bar lies under the first
  // when the list opens. The prompt's two rows in 選択肢 (260 to 340) start at 264; Up selects はい.
  auto bright = [](uint32_t pixel) { return (pixel & 255) > 0xA0 && (pixel >> 8 & 255) > 0xA0; };
  EXPECT_TRUE(bright(ShotPixel(temp.path / "list.png", 230, 131)));
  EXPECT_FALSE(bright(ShotPixel(temp.path / "list.png", 230, 167)));
  EXPECT_TRUE(bright(ShotPixel(temp.path / "rows.png", 240, 268)));
  EXPECT_FALSE(bright(ShotPixel(temp.path / "rows.png", 240, 304)));
}

}  // namespace

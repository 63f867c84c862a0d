// The save and load screens on the bundled sample game (six rows a page in the button form, five
// page buttons, 30 slots), driven through the engine's input entry points.
#include <filesystem>
#include <fstream>

#include "SampleEngine.h"
#include "app/GameSaves.h"
#include "platform/VirtualKeys.h"
#include "ui/MenuLayer.h"
#include "ui/PromptBox.h"
#include "ui/SaveLoadScreen.h"
#include "ui/SlotSummaries.h"

namespace {

namespace fs = std::filesystem;

// Centres of the sample's controls: row r spans y 64 + 56 r to 116 + 56 r across x 20 to 780.
SPoint Row(int row) { return {400, 90 + 56 * row}; }
constexpr SPoint kNext{444, 428};
constexpr SPoint kPrevious{60, 428};
constexpr SPoint kBack{730, 428};
SPoint PageButton(int page) { return {144 + 56 * page, 428}; }

class SaveLoadScreenTest : public CSampleEngineTest {
 protected:
  void SetUp() override {
    CSampleEngineTest::SetUp();
    game.StartNewGame("scenario\\mainScript.adv", "");
    for (int i = 0; i < 1200 && game.Mode() != CGameSystem::kModeClickWaitPage; ++i) RunFrames(1);
    ASSERT_EQ(game.Mode(), CGameSystem::kModeClickWaitPage);
  }
  CSaveLoadScreen& Open(int32_t state) {
    game.SetMenuState(state);
    RunFrames(settings::DialogTime() + 1);
    return dynamic_cast<CSaveLoadScreen&>(*game.Menu().Screen(state));
  }
  void Move(SPoint p) {
    cursor = p;
    game.OnMouseMove(0, p.x, p.y);
  }
  void Click(SPoint p) {
    Move(p);
    game.OnLButtonDown(1, p.x, p.y);
    game.OnLButtonUp(0, p.x, p.y);
  }
  void Key(uint32_t key) { game.OnKeyDown(key, 1, 0); }
  // The prompt fades in, then Up selects はい and Enter answers.
  void AnswerYes() {
    RunFrames(settings::WindowTime() + 1);
    ASSERT_TRUE(game.Menu().Prompt().IsFullyOpen());
    Key(vk::kUp);
    Key(vk::kReturn);
  }
  fs::path SlotFile(int slot) const {
    return fs::path(saves.Path()) / ("save" + std::to_string(slot) + ".dat");
  }
};

}  // namespace

TEST_F(SaveLoadScreenTest, TheSampleScreensHaveSixRowsAPageInTheButtonForm) {
  CSaveLoadScreen& screen = Open(CMenuLayer::kSaveScreen);
  EXPECT_FALSE(screen.IsListForm());
  EXPECT_EQ(screen.SlotsPerPage(), 6);
  EXPECT_EQ(screen.Selection(), 0) << "no slot used yet";
}

TEST_F(SaveLoadScreenTest, AClickOnAnEmptySlotOfTheLoadScreenDoesNothing) {
  CSaveLoadScreen& screen = Open(CMenuLayer::kLoadScreen);
  Click(Row(2));
  EXPECT_EQ(screen.Selection(), 2);
  EXPECT_FALSE(game.Menu().IsPromptShown());
  Key(vk::kReturn);
  EXPECT_FALSE(game.Menu().IsPromptShown());
  EXPECT_EQ(game.MenuState(), CMenuLayer::kLoadScreen);
}

TEST_F(SaveLoadScreenTest, ASaveKeepsTheScreenOpenAndShowsTheSlotAsTheNewest) {
  CSaveLoadScreen& screen = Open(CMenuLayer::kSaveScreen);
  Click(Row(3));
  EXPECT_TRUE(fs::exists(SlotFile(3)));
  EXPECT_EQ(game.MenuState(), CMenuLayer::kSaveScreen) << "the save screen stays open after a save";
  EXPECT_EQ(screen.Selection(), 3);
  EXPECT_EQ(game.Saves().Summaries().NewestSlot(), 3);
  ASSERT_NE(game.Saves().Summaries().Summary(3), nullptr);
  EXPECT_EQ(game.Saves().Summaries().Summary(3)->thumbnail.Width(), 160) << "the thumbnail of the new save";
  Move(Row(0));
  Click(Row(0));
  EXPECT_EQ(game.Saves().Summaries().NewestSlot(), 0);
}

TEST_F(SaveLoadScreenTest, TheSelectionStartsAtTheSlotLastUsed) {
  ASSERT_TRUE(game.SaveGame(14));
  CSaveLoadScreen& load = Open(CMenuLayer::kLoadScreen);
  EXPECT_EQ(load.Selection(), 14);
  Key(vk::kEscape);
  RunFrames(settings::DialogTime() + 1);
  EXPECT_EQ(game.MenuState(), CMenuLayer::kNone);
  EXPECT_EQ(Open(CMenuLayer::kSaveScreen).Selection(), 14);
}

TEST_F(SaveLoadScreenTest, PageButtonsAndArrowKeysMoveBetweenThePages) {
  CSaveLoadScreen& screen = Open(CMenuLayer::kSaveScreen);
  Move(Row(1));
  Click(kNext);
  EXPECT_EQ(screen.Selection(), 7) << "next keeps the row";
  Click(PageButton(4));
  EXPECT_EQ(screen.Selection(), 25);
  Click(kNext);
  EXPECT_EQ(screen.Selection(), 25) << "30 slots make five pages";
  Key(vk::kDown);
  Key(vk::kDown);
  Key(vk::kDown);
  Key(vk::kDown);
  Key(vk::kDown);
  EXPECT_EQ(screen.Selection(), 29) << "Down stops at the last slot";
  Click(kPrevious);
  EXPECT_EQ(screen.Selection(), 23);
  Key(vk::kLeft);
  EXPECT_EQ(screen.Selection(), 17);
  Key(vk::kRight);
  EXPECT_EQ(screen.Selection(), 23);
  Click(kBack);
  EXPECT_EQ(game.MenuState(), CMenuLayer::kNone) << "戻る leaves the screen";
}

TEST_F(SaveLoadScreenTest, ALoadClosesTheMenuAndAFailedLoadKeepsTheScreen) {
  ASSERT_TRUE(game.SaveGame(2));
  ASSERT_TRUE(game.SaveGame(5));
  Open(CMenuLayer::kLoadScreen);
  // Slot 5 was read as a save when the screen opened; it is damaged before it is loaded.
  std::ofstream(SlotFile(5), std::ios::binary) << "SAV2 not a save";
  Key(vk::kReturn);
  AnswerYes();
  EXPECT_EQ(game.MenuState(), CMenuLayer::kLoadScreen);
  EXPECT_EQ(platform.HeadlessDialogs().ShownCount(), 1) << "the failure is reported";
  RunFrames(settings::WindowTime() + 1);
  for (int i = 0; i < 3; ++i) Key(vk::kUp);
  Key(vk::kReturn);
  AnswerYes();
  EXPECT_EQ(game.MenuState(), CMenuLayer::kNone) << "a load that succeeds closes the menu";
  EXPECT_TRUE(game.Mode() == CGameSystem::kModeClickWait || game.Mode() == CGameSystem::kModeClickWaitPage)
      << game.Mode();
}

// The flashback screen: a seen scene replays with the replay flag set, and whichever way the replay
// ends the screen comes back at the same place; from the title it starts at the first slot.
#include "ExtrasTestGame.h"
#include "modes/FlashbackMode.h"
#include "platform/VirtualKeys.h"
#include "script/ScriptRunner.h"

namespace {

constexpr int32_t kFade = 3;

class FlashbackModeTest : public CExtrasTestGame {
 protected:
  void SetUp() override {
    AddFolderArt("flashback", "fl_blank.bmp");
    AddSystemFile("flashback\\bg.scn", "BG bg.png\n" + Slots(2) + Buttons() +
                                           Control("カテゴリ0", 600, 100, 700, 140) +
                                           Control("カテゴリ1", 600, 150, 700, 190));
    std::string list = "サムネイル,シナリオ,カテゴリ\n";
    for (int i = 0; i < 4; ++i) {
      CTempDir::Write("scenario/s" + std::to_string(i) + ".adv", "場面\n\n");
      list +=
          "system\\flashback\\t.png,scenario\\s" + std::to_string(i) + ".adv," + (i < 3 ? "0" : "1") + "\n";
    }
    AddSystemFile("flashback\\list.csv", list);
    UseSettings("フェード時間," + std::to_string(kFade) +
                "\nフラッシュバックBGM,bgm\\fb.ogg\n決定SE,se\\ok.wav\n");
    for (int i = 0; i < 4; ++i) settings::Extras().Flashback()[size_t(i)].seen = i != 1;
  }
  // The engine's flashback screen after its fade-in.
  CFlashbackMode& Screen() {
    auto* screen = dynamic_cast<CFlashbackMode*>(game.ScreenMode());
    EXPECT_TRUE(screen);
    return *screen;
  }
  void EnterFrom(int32_t mode) {
    game.SetMode(mode);
    game.SetMode(CGameSystem::kModeFlashback);
    ASSERT_TRUE(game.HasScreenMode());
    for (int i = 0; i <= kFade; ++i) Screen().Update(1, 0, 0);
    ASSERT_EQ(Screen().Phase(), CFlashbackMode::kGrid);
  }
  // Enter on the selected slot, then the fade until the scene runs.
  void Replay() {
    Screen().OnKeyDown(vk::kReturn, 0, 0);
    ASSERT_EQ(Screen().Phase(), CFlashbackMode::kStarting);
    for (int i = 0; i <= kFade && game.HasScreenMode(); ++i) Screen().Update(1, 0, 0);
    ASSERT_EQ(game.Mode(), CGameSystem::kModeScript);
  }
};

TEST_F(FlashbackModeTest, AfterAReplayTheScreenReturnsToTheSameSlotAndFromTheTitleStartsAtTheFirst) {
  EnterFrom(CGameSystem::kModeTitle);
  EXPECT_EQ(requested.back(), "bgm\\fb.ogg");
  Screen().OnKeyDown(vk::kDown, 0, 0);
  Screen().OnKeyDown(vk::kDown, 0, 0);
  ASSERT_EQ(Screen().Grid().Page(), 1);
  requested.clear();
  Replay();
  EXPECT_EQ(requested, std::vector<std::string>{"se\\ok.wav"});
  EXPECT_EQ(game.Sound().Registry().count(CSoundSystem::kMusicChannel), 0u) << "the music stopped";
  EXPECT_TRUE(game.IsReplay());
  EXPECT_EQ(game.Script().GetScriptName(), "scenario\\s2.adv");

  game.OnScenarioEnded();
  ASSERT_EQ(game.Mode(), CGameSystem::kModeFlashback);
  EXPECT_EQ(Screen().Grid().Page(), 1);
  EXPECT_EQ(Screen().Grid().Slot(), 0);

  // The other way out of a replay: the return to the title through the menu.
  for (int i = 0; i <= kFade; ++i) Screen().Update(1, 0, 0);
  Screen().OnKeyDown(vk::kPrior, 0, 0);
  Screen().OnKeyDown(vk::kNext, 0, 0);
  ASSERT_EQ(Screen().Grid().Category(), 1);
  Replay();
  game.ReturnToTitle();
  ASSERT_EQ(game.Mode(), CGameSystem::kModeFlashback);
  EXPECT_EQ(Screen().Grid().Category(), 1);

  for (int i = 0; i <= kFade; ++i) Screen().Update(1, 0, 0);
  Screen().OnCancel();
  for (int i = 0; i <= kFade && game.Mode() == CGameSystem::kModeFlashback; ++i) Screen().Update(1, 0, 0);
  EXPECT_EQ(game.Mode(), CGameSystem::kModeTitle);
  EXPECT_FALSE(game.IsReplay()) << "leaving the flashback screen ends the replays";
  EnterFrom(CGameSystem::kModeTitle);
  EXPECT_EQ(Screen().Grid().Category(), 0);
  EXPECT_EQ(Screen().Grid().Page(), 0);
  EXPECT_EQ(Screen().Grid().Slot(), 0);
}

TEST_F(FlashbackModeTest, ALockedSceneDoesNotStart) {
  EnterFrom(CGameSystem::kModeTitle);
  Screen().OnMouseMove(0, 270, 140);
  ASSERT_EQ(Screen().Grid().Slot(), 1);
  Screen().OnLButtonDown(0, 270, 140);
  EXPECT_EQ(Screen().Phase(), CFlashbackMode::kGrid);
  Screen().OnLButtonDown(0, 150, 140);
  EXPECT_EQ(Screen().Phase(), CFlashbackMode::kGrid) << "a click on a slot that is not selected";
}

TEST_F(FlashbackModeTest, AReplayWhoseScreenCannotBeBuiltEndsAtTheTitleAsNoReplay) {
  EnterFrom(CGameSystem::kModeTitle);
  Replay();
  std::erase_if(systemFiles, [](const auto& file) { return file.first == "flashback\\bg.scn"; });
  UseSettings("フェード時間," + std::to_string(kFade) + "\n");
  game.OnScenarioEnded();
  EXPECT_EQ(game.Mode(), CGameSystem::kModeTitle);
  EXPECT_TRUE(game.HasScreenMode());
  EXPECT_FALSE(game.IsReplay());
}

TEST_F(FlashbackModeTest, AScenarioThatCannotBeOpenedBringsThePlayerBack) {
  std::filesystem::remove("scenario/s0.adv");
  EnterFrom(CGameSystem::kModeTitle);
  Screen().OnKeyDown(vk::kReturn, 0, 0);
  for (int i = 0; i <= kFade; ++i) Screen().Update(1, 0, 0);
  ASSERT_EQ(game.Mode(), CGameSystem::kModeFlashback);
  EXPECT_EQ(Screen().Grid().Slot(), 0);
}

}  // namespace

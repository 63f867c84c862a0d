#include <fstream>
#include <sstream>

#include "TitleTestGame.h"
#include "io/Trace.h"
#include "modes/TitleMenu.h"
#include "modes/TitleMode.h"
#include "platform/VirtualKeys.h"
#include "script/ScriptRunner.h"

namespace {

constexpr int32_t kFade = 4;

// Start and quit overlap; continue stands above start, so reading order differs from item order.
constexpr const char* kTitleLayout =
    "BG bg.png\n"
    "CONTROL\nNAME スタート\nPOS 100 300 300 340\nIMAGE hi.png\nALPHA 100\nCONTROL END\n"
    "CONTROL\nNAME コンティニュー\nPOS 100 100 300 140\nIMAGE hi.png\nALPHA 100\nCONTROL END\n"
    "CONTROL\nNAME コンフィグ\nPOS 100 200 300 240\nCONTROL END\n"
    "CONTROL\nNAME アルバム\nPOS 400 100 600 140\nCONTROL END\n"
    "CONTROL\nNAME 終了\nPOS 120 320 320 440\nCONTROL END\n";

class TitleModeTest : public CTitleTestGame {
 protected:
  void SetUp() override {
    AddSystemFile("title\\bg.scn", kTitleLayout);
    AddSolidImage("title\\bg.png", 800, 600, kBackground);
    AddSolidImage("title\\hi.png", 200, 40, kHighlight);
    CTempDir::Write("scenario/start.adv", "はじまり\n\n");
    UseSettings(
        "フェード時間,4\n決定SE,se\\decide.wav\nタイトルBGM,bgm\\title.ogg\n開始スクリプト,scenario\\start."
        "adv\n");
  }
  // Runs the fade-in to its end: the counter reaches the fade time, the next update enters phase 1.
  void FadeIn(CTitleMode& title) {
    for (int i = 0; i <= kFade; ++i) title.Update(1, 0, 0);
    ASSERT_EQ(title.Phase(), CTitleMode::kChoosing);
    requested.clear();
  }
  void Choose(CTitleMode& title, int32_t x, int32_t y) {
    title.OnMouseMove(0, x, y);
    title.OnLButtonDown(0, x, y);
  }
};

TEST_F(TitleModeTest, PlaysTheTitleMusicAndFadesInOverTheFadeTime) {
  CTitleMode title(game);
  EXPECT_EQ(requested, std::vector<std::string>{"bgm\\title.ogg"});
  EXPECT_EQ(game.Sound().Registry().at(CSoundSystem::kMusicChannel), "bgm\\title.ogg");
  EXPECT_EQ(title.Layout().ControlCount(), 5);
  title.Update(3, 0, 0);
  EXPECT_EQ(title.Counter(), 3);
  title.Update(60, 0, 0);
  EXPECT_EQ(title.Counter(), kFade) << "the counter stops at the fade time";
  EXPECT_EQ(title.Phase(), CTitleMode::kFadingIn);
  title.Update(1, 0, 0);
  EXPECT_EQ(title.Phase(), CTitleMode::kChoosing);
  EXPECT_EQ(title.Counter(), 0);
  EXPECT_EQ(title.Update(60, 0, 0), 1) << "the title never ends by itself";
}

TEST_F(TitleModeTest, TheScreenComesOutOfBlackAndShowsTheSelectedItemsLook) {
  CTitleMode title(game);
  DrawChecked(title);
  EXPECT_EQ(At(10, 10) & 0xFFFFFFu, 0u) << "fully black at the start of the fade-in";
  title.Update(2, 0, 0);
  DrawChecked(title);
  EXPECT_EQ(At(10, 10), Darkened(kBackground, 127)) << "(4 - 2) * 255 / 4";
  title.Update(2, 0, 0);
  DrawChecked(title);
  EXPECT_EQ(At(10, 10), kBackground);

  title.Update(1, 0, 0);
  game.Display().ClearSpans();
  title.OnMouseMove(0, 150, 310);
  DrawChecked(title);
  EXPECT_EQ(At(150, 310), kHighlight) << "the start item's control holds its highlighted look";
  EXPECT_EQ(At(150, 110), kBackground) << "continue is drawn only while selected";
  game.Display().ClearSpans();
  title.OnMouseMove(0, 150, 110);
  DrawChecked(title);
  EXPECT_EQ(At(150, 310), kBackground) << "the old item's rectangle was redrawn";
  EXPECT_EQ(At(150, 110), kHighlight);
}

TEST_F(TitleModeTest, TheMouseSelectsOnlyAfterTheFadeInAndClicksOnlyOnTheSelectedControl) {
  CTitleMode title(game);
  Choose(title, 150, 110);
  EXPECT_EQ(title.Selected(), CTitleMenu::kNone) << "moves and clicks during the fade-in do nothing";
  EXPECT_EQ(game.MenuState(), 0);
  FadeIn(title);

  title.OnMouseMove(0, 150, 330);
  EXPECT_EQ(title.Selected(), CTitleMenu::kStart) << "start comes before quit in item order";
  title.OnMouseMove(0, 700, 500);
  EXPECT_EQ(title.Selected(), CTitleMenu::kNone);
  title.OnKeyDown(vk::kDown, 1, 0);
  EXPECT_EQ(title.Selected(), CTitleMenu::kContinue);
  title.OnLButtonDown(0, 700, 500);
  EXPECT_EQ(game.MenuState(), 0) << "a click outside the selected control does nothing";
  EXPECT_TRUE(requested.empty()) << "and plays no sound";
  title.OnLButtonDown(0, 150, 110);
  EXPECT_EQ(game.MenuState(), 3) << "continue opens the load screen over the title";
  EXPECT_EQ(requested, std::vector<std::string>{"se\\decide.wav"});
  EXPECT_EQ(title.Phase(), CTitleMode::kChoosing);
}

TEST_F(TitleModeTest, TheTitleConsumesEveryKeyAndWalksItemsInReadingOrder) {
  CTitleMode title(game);
  for (uint32_t key : {vk::kEscape, vk::kReturn, vk::kDown, vk::kA})
    EXPECT_EQ(title.OnKeyDown(key, 1, 0), 1) << "during the fade-in too";
  EXPECT_EQ(title.Selected(), CTitleMenu::kNone);
  FadeIn(title);
  EXPECT_EQ(title.OnKeyDown(vk::kReturn, 1, 0), 1);
  EXPECT_EQ(game.MenuState(), 0) << "Enter with nothing selected does nothing";
  title.OnKeyDown(vk::kUp, 1, 0);
  EXPECT_EQ(title.Selected(), CTitleMenu::kContinue) << "Up with no selection also starts at the first";
  title.OnKeyDown(vk::kUp, 1, 0);
  EXPECT_EQ(title.Selected(), CTitleMenu::kQuit) << "wraps to the last in reading order";
  title.OnKeyDown(vk::kDown, 1, 0);
  title.OnKeyDown(vk::kDown, 1, 0);
  EXPECT_EQ(title.Selected(), CTitleMenu::kAlbum) << "the item to the right of continue comes next";
  EXPECT_EQ(title.OnKeyDown(vk::kEscape, 1, 0), 1);
  EXPECT_EQ(title.Selected(), CTitleMenu::kAlbum);
}

TEST_F(TitleModeTest, ConfigAndQuitOpenTheirMenuStatesAndKeepTheSelection) {
  CTitleMode title(game);
  FadeIn(title);
  Choose(title, 150, 210);
  EXPECT_EQ(game.MenuState(), 4);
  game.SetMenuState(0);
  Choose(title, 150, 420);
  EXPECT_EQ(game.MenuState(), 6) << "the quit prompt";
  game.SetMenuState(0);  // answered "いいえ"
  EXPECT_EQ(title.Selected(), CTitleMenu::kQuit);
  EXPECT_EQ(title.Phase(), CTitleMode::kChoosing);
  EXPECT_EQ(requested.size(), 2u);
}

TEST_F(TitleModeTest, StartStopsTheMusicFadesOutAndStartsTheStartScript) {
  CTitleMode title(game);
  FadeIn(title);
  title.OnMouseMove(0, 150, 310);
  title.OnKeyDown(vk::kSpace, 1, 0);
  EXPECT_EQ(requested, std::vector<std::string>{"se\\decide.wav"});
  EXPECT_EQ(game.Sound().Registry().count(CSoundSystem::kMusicChannel), 0u) << "the music is stopped";
  EXPECT_EQ(title.Phase(), CTitleMode::kFadingOut);
  Choose(title, 150, 110);
  EXPECT_EQ(title.Selected(), CTitleMenu::kStart) << "input is ignored while fading out";

  title.Update(3, 0, 0);
  game.Display().MarkAllDirty();
  title.Draw(0, 0);
  EXPECT_EQ(At(700, 500), Darkened(kBackground, 191)) << "3 * 255 / 4";
  title.Update(3, 0, 0);
  EXPECT_FALSE(game.Script().IsActive()) << "the game starts one update after the screen is black";
  title.Update(1, 0, 0);
  EXPECT_EQ(game.Mode(), CGameSystem::kModeScript);
  EXPECT_TRUE(game.Script().IsActive());
  EXPECT_EQ(game.Script().GetScriptName(), "scenario\\start.adv");
}

TEST_F(TitleModeTest, AnExtrasItemSwitchesModeAndComesBackWhenTheScreenDoesNotExist) {
  const std::string trace = (dir.path / "trace.jsonl").string();
  ASSERT_TRUE(CTrace::Open(trace));
  CTitleMode title(game);
  FadeIn(title);
  Choose(title, 450, 120);
  EXPECT_EQ(title.Phase(), CTitleMode::kFadingOut);
  EXPECT_EQ(game.Sound().Registry().count(CSoundSystem::kMusicChannel), 1u) << "the music plays on";
  for (int i = 0; i <= kFade; ++i) title.Update(1, 0, 0);
  CTrace::Close();
  std::stringstream lines;
  lines << std::ifstream(trace).rdbuf();
  const std::string text = lines.str();
  const size_t there = text.find("\"from\":0,\"to\":18");
  EXPECT_NE(there, std::string::npos) << text;
  // No album screen exists yet: the engine comes straight back to a fresh title.
  EXPECT_NE(text.find("\"from\":18,\"to\":17", there), std::string::npos) << text;
  EXPECT_EQ(game.Mode(), CGameSystem::kModeTitle);
  EXPECT_TRUE(game.HasScreenMode());
}

TEST_F(TitleModeTest, ALaterTitleRowWhoseConditionHoldsWins) {
  AddSystemFile("title\\night.scn", "CONTROL\nNAME スタート\nPOS 0 0 10 10\nCONTROL END\n");
  UseSettings(
      "フェード時間,4\nタイトル画面,system\\title\\night.scn,1+1==2\nタイトル画面,system\\title\\bg.scn,0\n");
  CTitleMode title(game);
  EXPECT_EQ(title.Layout().ControlCount(), 1);
  EXPECT_TRUE(game.Sound().Registry().empty()) << "no title music configured";
}

}  // namespace

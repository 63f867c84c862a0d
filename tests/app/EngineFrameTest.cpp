// The engine object on the bundled sample game with the headless backend: what a frame may and may not
// advance.
#include <string>
#include <vector>

#include "SampleEngine.h"
#include "app/RedrawCheck.h"
#include "script/ScriptRunner.h"
#include "ui/MessageText.h"

namespace {

using EngineFrame = CSampleEngineTest;

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

TEST_F(EngineFrame, RedrawCheckCatchesAChangeDrawnWithoutMarking) {
  CRedrawCheck check;
  std::vector<SRect> differences;
  game.SetFrameDrawnHook([&](int32_t x, int32_t y) {
    if (auto rect = check.Check(game.Display(), [&] { game.Draw(x, y); })) differences.push_back(*rect);
  });
  game.StartNewGame("scenario\\mainScript.adv", "");
  RunFrames(200);  // the first page, its speaker and the click wait, all marked as they change
  ASSERT_EQ(game.Mode(), CGameSystem::kModeClickWaitPage);
  EXPECT_TRUE(differences.empty()) << differences.front().left << "," << differences.front().top;
  // The name over the window changes behind the engine's back: nothing marks it.
  game.Text().SetSpeaker("別の名前");
  RunFrames(1);
  ASSERT_EQ(differences.size(), 1u);
  const SRect name = game.Text().WindowLayout().GetControlRect("名前");
  EXPECT_LT(differences[0].top, name.bottom);
  EXPECT_GE(differences[0].bottom, name.top);
  // The check left the incremental picture on the screen: the old name is still shown.
  game.Display().MarkAllDirty();
  RunFrames(1);
  EXPECT_EQ(differences.size(), 1u);
}

TEST_F(EngineFrame, ShownAgainRedrawsTheWholeScreen) {
  RunFrames(2);
  game.SetVisible(false);
  game.Display().ClearSpans();
  game.SetVisible(true);
  for (int row : {0, game.Display().Height() / 2, game.Display().Height() - 1}) {
    EXPECT_EQ(game.Display().Span(row).left, 0);
    EXPECT_EQ(game.Display().Span(row).right, game.Display().Width());
  }
  game.Display().ClearSpans();
  game.ToggleScreenMode();
  EXPECT_EQ(game.Display().Span(game.Display().Height() - 1).right, game.Display().Width());
}

TEST_F(EngineFrame, StartWithoutTheOpeningFlowWaitsForTheGame) {
  game.Shutdown();
  CGameSystem direct(platform);
  ASSERT_TRUE(direct.Startup(false));
  EXPECT_EQ(direct.Mode(), CGameSystem::kModeScript);
  EXPECT_FALSE(direct.HasScreenMode());
  EXPECT_FALSE(direct.StartNewGame("scenario\\missing.adv", ""));
  EXPECT_TRUE(direct.StartNewGame("scenario\\mainScript.adv", ""));
  direct.Shutdown();
}

TEST_F(EngineFrame, APageIsNumberedByTheScriptsReadPosition) {
  game.StartNewGame("scenario\\mainScript.adv", "");
  RunFrames(200);
  ASSERT_EQ(game.Mode(), CGameSystem::kModeClickWaitPage);
  // The page waits at its empty line, past the line where the page's read position was taken.
  ASSERT_NE(game.Script().GetLineIndex(), game.Script().GetReadPosition());
  game.Text().NewPage(true);
  EXPECT_EQ(game.Text().MessageNumber(), game.Script().GetReadPosition());
}

// The menu layer on the bundled sample game (system menu of ten image buttons, prompt box with
// image answers), driven through the engine's input entry points as the main window calls them.
#include <fstream>
#include <sstream>
#include <string>

#include "SampleEngine.h"
#include "app/ScriptHostAdapter.h"
#include "io/Trace.h"
#include "platform/VirtualKeys.h"
#include "ui/MenuLayer.h"
#include "ui/MenuScreen.h"
#include "ui/MessageText.h"
#include "ui/MessageWindow.h"

namespace {

// Centres of the sample's system-menu items: item r spans y 60 + 34 r to 88 + 34 r.
SPoint MenuItem(int item) { return {400, 74 + 34 * item}; }

class MenuLayerTest : public CSampleEngineTest {
 protected:
  void SetUp() override {
    CSampleEngineTest::SetUp();
    tracePath = "/tmp/zel-menu-trace-" + std::to_string(getpid()) + ".jsonl";
    ASSERT_TRUE(CTrace::Open(tracePath));
    game.StartNewGame("scenario\\mainScript.adv", "");
    WaitForClick();
  }
  void TearDown() override {
    CTrace::Close();
    std::remove(tracePath.c_str());
    CSampleEngineTest::TearDown();
  }
  void WaitForClick() {
    for (int i = 0; i < 1200 && !IsClickWait(); ++i) RunFrames(1);
    ASSERT_TRUE(IsClickWait()) << "mode " << game.Mode();
  }
  bool IsClickWait() const {
    return game.MenuState() == 0 &&
           (game.Mode() == CGameSystem::kModeClickWait || game.Mode() == CGameSystem::kModeClickWaitPage);
  }
  // A fade of the system menu or the prompt, plus the frame that finds it open.
  void OpenFully() { RunFrames(settings::WindowTime() + 1); }
  void Click(SPoint p) {
    cursor = p;
    game.OnMouseMove(0, p.x, p.y);
    game.OnLButtonDown(1, p.x, p.y);
    game.OnLButtonUp(0, p.x, p.y);
  }
  void RightClick(SPoint p) {
    cursor = p;
    game.OnMouseMove(0, p.x, p.y);
    game.OnRButtonDown(2, p.x, p.y);
  }
  void Key(uint32_t key) { game.OnKeyDown(key, 1, 0); }
  void OpenSystemMenu() {
    RightClick({10, 10});
    ASSERT_EQ(game.MenuState(), CMenuLayer::kSystemMenu);
    OpenFully();
  }
  // Everything traced since the test began (reopening the file starts it afresh).
  // Runs an item of the system menu whose prompt is answered by the move key, then the decide key,
  // once the menu has faded out and the prompt in; the question that was asked.
  std::string ChooseFromTheMenuAndAnswer(int item, uint32_t move, uint32_t decide) {
    RightClick({10, 10});
    OpenFully();
    Click(MenuItem(item));
    RunFrames(2 * settings::WindowTime() + 2);
    EXPECT_TRUE(game.Menu().Prompt().IsFullyOpen());
    const std::string question = game.Menu().Prompt().Question();
    Key(move);
    Key(decide);
    return question;
  }
  std::string Trace() {
    CTrace::Close();
    std::stringstream text;
    text << std::ifstream(tracePath).rdbuf();
    traced += text.str();
    CTrace::Open(tracePath);
    return traced;
  }
  static int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  }
  int MessageBoxes() { return platform.HeadlessDialogs().ShownCount(); }

  std::string tracePath;
  std::string traced;
};

TEST_F(MenuLayerTest, ClicksDuringTheFadeInOfTheMenuOrOfAPromptDoNothing) {
  RightClick({10, 10});
  ASSERT_EQ(game.MenuState(), CMenuLayer::kSystemMenu);
  Click(MenuItem(CSystemMenu::kClose));
  EXPECT_EQ(game.MenuState(), CMenuLayer::kSystemMenu) << "the menu is still fading in";
  OpenFully();
  Click(MenuItem(CSystemMenu::kClose));
  EXPECT_EQ(game.MenuState(), CMenuLayer::kNone);

  RunFrames(settings::WindowTime());
  Key('S');
  ASSERT_EQ(game.MenuState(), CMenuLayer::kQuickSave);
  EXPECT_EQ(game.Menu().Prompt().Selection(), CPromptBox::kNo) << "a prompt starts on いいえ";
  Key(vk::kUp);
  Key(vk::kReturn);
  EXPECT_EQ(game.MenuState(), CMenuLayer::kQuickSave) << "the prompt is still fading in";
  EXPECT_EQ(Count(Trace(), "\"event\":\"save\""), 0);
}

TEST_F(MenuLayerTest, TwoClicksInOneFrameRunAnItemOnce) {
  OpenSystemMenu();
  const std::string before = Trace();
  // Without a previous-choice point the item only plays its sound and the menu stays open.
  Click(MenuItem(CSystemMenu::kPreviousChoice));
  Click(MenuItem(CSystemMenu::kPreviousChoice));
  EXPECT_EQ(game.MenuState(), CMenuLayer::kSystemMenu);
  const std::string played = "\"action\":\"play\",\"channel\":4";
  EXPECT_EQ(Count(Trace(), played) - Count(before, played), 1);
  RunFrames(1);
  EXPECT_EQ(game.Menu().SystemMenuLevel(), settings::WindowTime());
  Click(MenuItem(CSystemMenu::kPreviousChoice));
  EXPECT_EQ(game.Menu().SystemMenuLevel(), settings::WindowTime() - 1);
  EXPECT_EQ(Count(Trace(), played) - Count(before, played), 2) << "the next frame takes a click again";
}

TEST_F(MenuLayerTest, ImageButtonsFollowTheMouseAndTheKeysInReadingOrder) {
  OpenSystemMenu();
  const CSystemMenu& menu = game.Menu().SystemMenu();
  EXPECT_FALSE(menu.IsListForm());
  EXPECT_EQ(menu.Selection(), -1) << "image buttons open with nothing selected";
  game.OnMouseMove(0, MenuItem(CSystemMenu::kLoad).x, MenuItem(CSystemMenu::kLoad).y);
  EXPECT_EQ(menu.Selection(), CSystemMenu::kLoad);
  Key(vk::kDown);
  EXPECT_EQ(menu.Selection(), CSystemMenu::kConfig);
  Key(vk::kUp);
  Key(vk::kUp);
  Key(vk::kUp);
  EXPECT_EQ(menu.Selection(), CSystemMenu::kPreviousChoice) << "wraps from the first to the last";
  game.OnMouseMove(0, 10, 10);
  EXPECT_EQ(menu.Selection(), -1);
  Key(vk::kDown);
  Key(vk::kReturn);
  EXPECT_EQ(game.MenuState(), CMenuLayer::kSaveScreen) << "Enter runs the first item";
}

TEST_F(MenuLayerTest, AutoAndSkipExcludeEachOther) {
  Key('A');
  EXPECT_TRUE(game.IsAutoMode());
  game.Menu().DoWindowButton(CMessageWindow::kSkip);
  EXPECT_TRUE(game.IsSkipping());
  EXPECT_FALSE(game.IsAutoMode()) << "skip switches auto off";
  game.Menu().DoWindowButton(CMessageWindow::kAuto);
  EXPECT_TRUE(game.IsAutoMode());
  EXPECT_FALSE(game.IsSkipping()) << "auto switches skip off";
  game.Menu().DoWindowButton(CMessageWindow::kAuto);
  EXPECT_FALSE(game.IsAutoMode());
  EXPECT_FALSE(game.IsSkipping());
}

TEST_F(MenuLayerTest, ShortcutKeysComeFromTheSettingsWithTheirShiftState) {
  const CMenuLayer& menu = game.Menu();
  EXPECT_EQ(menu.ShortcutAction('S', false), CMessageWindow::kQuickSave);
  EXPECT_EQ(menu.ShortcutAction('S', true), CMessageWindow::kSkip) << "SHIFT+S is skip in the sample";
  EXPECT_EQ(menu.ShortcutAction('L', false), CMessageWindow::kQuickLoad);
  EXPECT_EQ(menu.ShortcutAction('L', true), -1) << "Shift must match";
  EXPECT_EQ(menu.ShortcutAction(vk::kUp, false), CMessageWindow::kLog);
  EXPECT_EQ(menu.ShortcutAction('A', false), CMessageWindow::kAuto);
  EXPECT_EQ(menu.ShortcutAction('Q', false), -1);
  EXPECT_EQ(menu.ShortcutAction(0, false), -1) << "key 0 is no shortcut";
  Key(vk::kUp);
  EXPECT_EQ(game.MenuState(), CMenuLayer::kBacklog) << "the up arrow opens the backlog";
}

TEST_F(MenuLayerTest, RightClickOnAnOpenPromptClosesItWithoutActing) {
  Key('S');
  OpenFully();
  Key(vk::kUp);
  EXPECT_EQ(game.Menu().Prompt().Selection(), CPromptBox::kYes);
  RightClick({10, 10});
  EXPECT_EQ(game.MenuState(), CMenuLayer::kNone);
  EXPECT_FALSE(game.Menu().IsPromptShown());
  EXPECT_EQ(Count(Trace(), "\"event\":\"save\""), 0);
  EXPECT_EQ(MessageBoxes(), 0);
}

TEST_F(MenuLayerTest, QuitAsksAndNoReturnsToTheGame) {
  OpenSystemMenu();
  Click(MenuItem(CSystemMenu::kQuit));
  ASSERT_EQ(game.MenuState(), CMenuLayer::kQuit);
  // The prompt waits for the system menu to fade out, then fades in itself.
  OpenFully();
  EXPECT_FALSE(game.Menu().Prompt().IsFullyOpen());
  OpenFully();
  ASSERT_TRUE(game.Menu().Prompt().IsFullyOpen());
  EXPECT_EQ(game.Menu().Prompt().Question(), "終了しますか？");
  Key(vk::kReturn);
  EXPECT_EQ(game.MenuState(), CMenuLayer::kNone);
  EXPECT_FALSE(game.IsQuitRequested());
  RunFrames(30);
  EXPECT_FALSE(game.IsQuitRequested());
}

TEST_F(MenuLayerTest, CloseWhileQuitFadesClosesWithoutAsking) {
  EXPECT_EQ(ChooseFromTheMenuAndAnswer(CSystemMenu::kQuit, vk::kUp, vk::kReturn), "終了しますか？");
  EXPECT_FALSE(game.Menu().IsPromptShown());
  RunFrames(3);
  EXPECT_FALSE(game.IsQuitRequested()) << "still fading";
  EXPECT_TRUE(game.QueryQuit());
  EXPECT_EQ(MessageBoxes(), 0) << "no second question";
}

TEST_F(MenuLayerTest, ConfirmedQuitFadesOutThenClosesTheWindow) {
  ChooseFromTheMenuAndAnswer(CSystemMenu::kQuit, vk::kLeft, vk::kSpace);
  RunFrames(settings::DialogTime());
  EXPECT_TRUE(game.Menu().CoversGame());
  RunFrames(1);
  EXPECT_TRUE(game.IsQuitRequested());
}

TEST_F(MenuLayerTest, InAReplayRightClickGoesStraightToTheReturnFade) {
  game.SetReplay(true);
  RightClick({10, 10});
  EXPECT_EQ(game.MenuState(), CMenuLayer::kReturnToTitle);
  EXPECT_FALSE(game.Menu().IsPromptShown()) << "no question in a replay";
  RunFrames(settings::DialogTime() + 1);
  EXPECT_EQ(game.MenuState(), CMenuLayer::kNone);
  // The replay ends on the flashback screen it was started from.
  EXPECT_EQ(game.Mode(), CGameSystem::kModeFlashback);
  EXPECT_TRUE(game.HasScreenMode());
}

TEST_F(MenuLayerTest, ReturnToTitleAsksThenFadesToTheTitle) {
  EXPECT_EQ(ChooseFromTheMenuAndAnswer(CSystemMenu::kTitle, vk::kUp, vk::kReturn), "ゲームを中断しますか？");
  EXPECT_FALSE(game.Menu().IsPromptShown()) << "the question went with the answer";
  EXPECT_EQ(game.MenuState(), CMenuLayer::kReturnToTitle);
  RunFrames(settings::DialogTime() + 1);
  EXPECT_EQ(game.MenuState(), CMenuLayer::kNone);
  EXPECT_EQ(game.Mode(), CGameSystem::kModeTitle);
}

TEST_F(MenuLayerTest, WheelNotchesKeepTheirRemainderAcrossMessages) {
  const std::string page = game.ScriptHost().PageText();
  game.OnMouseWheel(0, -60, 10, 10);
  RunFrames(1);
  EXPECT_TRUE(IsClickWait()) << "half a notch does nothing";
  game.OnMouseWheel(0, -60, 10, 10);
  RunFrames(1);
  EXPECT_FALSE(IsClickWait() && game.ScriptHost().PageText() == page) << "two halves make a notch back";
  for (int i = 0; i < 600 && game.Mode() != CGameSystem::kModeChoice; ++i) RunFrames(1);
  ASSERT_EQ(game.Mode(), CGameSystem::kModeChoice);
  game.OnMouseWheel(0, -120, 10, 10);
  EXPECT_EQ(game.Mode(), CGameSystem::kModeChoice) << "a notch back takes no choice";
  game.OnMouseWheel(0, 90, 10, 10);
  EXPECT_EQ(game.MenuState(), CMenuLayer::kNone);
  game.OnMouseWheel(0, 30, 10, 10);
  EXPECT_EQ(game.MenuState(), CMenuLayer::kBacklog) << "a notch forward opens the backlog";
}

TEST_F(MenuLayerTest, QuickLoadWithoutAQuickSaveSaysSoAndChangesNothing) {
  if (game.HasQuickSave()) GTEST_SKIP() << "a quick save exists";
  Key('L');
  EXPECT_EQ(game.MenuState(), CMenuLayer::kNone);
  EXPECT_NE(Trace().find(reinterpret_cast<const char*>(u8"クイックセーブのデータがありません")),
            std::string::npos);
  EXPECT_TRUE(IsClickWait());
}

TEST_F(MenuLayerTest, MenuScreensNotYetBuiltAreEmptyScreensThatBackCloses) {
  for (int item : {CSystemMenu::kSave, CSystemMenu::kLoad, CSystemMenu::kConfig}) {
    OpenSystemMenu();
    Click(MenuItem(item));
    EXPECT_NE(game.MenuState(), CMenuLayer::kSystemMenu);
    RunFrames(settings::DialogTime() + 1);
    EXPECT_TRUE(game.Menu().CoversGame());
    Key(vk::kEscape);
    EXPECT_EQ(game.MenuState(), CMenuLayer::kNone);
    RunFrames(settings::DialogTime() + 1);
    EXPECT_FALSE(game.Menu().CoversGame());
    EXPECT_TRUE(IsClickWait());
  }
}

// A menu screen that records what reaches it.
class CRecordingScreen : public IMenuScreen {
 public:
  explicit CRecordingScreen(CMenuLayer& menu) : menu(menu) {}
  void Enter() override { log += "enter "; }
  void Leave() override { log += "leave "; }
  void Draw(float opacity, bool fullyOpen, int32_t, int32_t) override {
    lastOpacity = opacity;
    drawnFullyOpen = fullyOpen;
  }
  void OnMouseMove(int32_t x, int32_t) override { log += "move" + std::to_string(x) + " "; }
  void OnLButtonUp(int32_t, int32_t) override { log += "up "; }
  void OnMouseWheel(int32_t notches) override { log += "wheel" + std::to_string(notches) + " "; }
  void OnKeyDown(uint32_t key, bool) override {
    log += "key" + std::to_string(key) + " ";
    if (key == vk::kReturn) menu.Ask("セーブします。よろしいですか？");
  }
  void OnPromptYes() override { log += "yes "; }
  bool OnCancel() override {
    log += "cancel ";
    return keepOnCancel;
  }
  CMenuLayer& menu;
  std::string log;
  float lastOpacity = 0;
  bool drawnFullyOpen = false;
  bool keepOnCancel = false;
};

TEST_F(MenuLayerTest, AScreenTakesTheInputOfItsStateAndAnswersItsOwnPrompts) {
  CRecordingScreen screen(game.Menu());
  game.Menu().SetScreen(CMenuLayer::kSaveScreen, &screen);
  game.SetMenuState(CMenuLayer::kSaveScreen);
  RunFrames(1);
  EXPECT_GT(screen.lastOpacity, 0.0f);
  EXPECT_FALSE(screen.drawnFullyOpen);
  RunFrames(settings::DialogTime());
  EXPECT_TRUE(screen.drawnFullyOpen);
  EXPECT_FLOAT_EQ(screen.lastOpacity, 1.0f);
  game.OnMouseMove(0, 7, 8);
  game.OnLButtonUp(0, 7, 8);
  game.OnMouseWheel(0, 240, 7, 8);
  EXPECT_EQ(screen.log, "enter move7 up wheel2 ");
  screen.log.clear();

  // The prompt takes the input while it is shown; "いいえ" or back closes it and the screen stays.
  Key(vk::kReturn);
  OpenFully();
  game.OnMouseMove(0, 9, 9);
  Key(vk::kEscape);
  EXPECT_EQ(game.MenuState(), CMenuLayer::kSaveScreen);
  Key(vk::kReturn);
  OpenFully();
  Key(vk::kUp);
  Key(vk::kReturn);
  EXPECT_EQ(screen.log, std::string("key") + std::to_string(vk::kReturn) + " key" +
                            std::to_string(vk::kReturn) + " yes ");
  EXPECT_FALSE(game.Menu().IsPromptShown());
  EXPECT_EQ(game.MenuState(), CMenuLayer::kSaveScreen);
  screen.log.clear();

  // Back goes to the screen first; it closes the menu when the screen lets it.
  screen.keepOnCancel = true;
  Key(vk::kEscape);
  EXPECT_EQ(game.MenuState(), CMenuLayer::kSaveScreen);
  screen.keepOnCancel = false;
  Key(vk::kEscape);
  EXPECT_EQ(game.MenuState(), CMenuLayer::kNone);
  EXPECT_EQ(screen.log, "cancel cancel leave ");
  game.Menu().SetScreen(CMenuLayer::kSaveScreen, nullptr);
}

TEST_F(MenuLayerTest, RightClickOnTheWindowHidesItAndAClickShowsIt) {
  const SRect text = game.Text().WindowLayout().GetControlRect("テキスト");
  RightClick({text.left + 5, text.top + 5});
  EXPECT_TRUE(game.Window().IsHiddenByPlayer());
  EXPECT_EQ(game.MenuState(), CMenuLayer::kNone) << "hiding is all a right click on the window does";
  Click({10, 10});
  EXPECT_FALSE(game.Window().IsHiddenByPlayer());
  EXPECT_TRUE(IsClickWait()) << "the click only shows the window";
  RightClick({text.left + 5, text.top + 5});
  Key(vk::kEscape);
  EXPECT_FALSE(game.Window().IsHiddenByPlayer()) << "back shows it too";
  EXPECT_EQ(game.MenuState(), CMenuLayer::kNone);
}

TEST_F(MenuLayerTest, AYesNoBoxThatCannotBeShownFallsBackToThePrompt) {
  platform.HeadlessDialogs().SetUnavailable(true);
  EXPECT_FALSE(game.QueryQuit()) << "an unanswered box is not a no, and not a yes either";
  ASSERT_EQ(game.MenuState(), CMenuLayer::kQuit);
  EXPECT_EQ(game.Menu().Prompt().Question(), "終了しますか？");
  OpenFully();
  Key(vk::kUp);
  Key(vk::kReturn);
  RunFrames(settings::DialogTime() + 1);
  EXPECT_TRUE(game.IsQuitRequested());
  EXPECT_TRUE(game.QueryQuit());
}

}  // namespace

namespace {

TEST_F(MenuLayerTest, QuickSaveAndQuickLoadGoThroughTheirPrompts) {
  const std::string page = game.ScriptHost().PageText();
  Key('S');
  OpenFully();
  Key(vk::kUp);
  Key(vk::kReturn);
  EXPECT_EQ(game.MenuState(), CMenuLayer::kNone);
  EXPECT_NE(Trace().find("\"event\":\"save\",\"slot\":-1,\"ok\":true"), std::string::npos) << Trace();
  EXPECT_TRUE(game.HasQuickSave());
  RunFrames(settings::WindowTime());
  Key(vk::kReturn);
  RunFrames(60);
  ASSERT_NE(game.ScriptHost().PageText(), page) << "the game went on";
  Key('L');
  ASSERT_EQ(game.MenuState(), CMenuLayer::kQuickLoad);
  OpenFully();
  Key(vk::kUp);
  Key(vk::kReturn);
  EXPECT_NE(Trace().find("\"event\":\"load\",\"slot\":-1,\"ok\":true"), std::string::npos);
  RunFrames(2);
  EXPECT_TRUE(IsClickWait());
  EXPECT_EQ(game.ScriptHost().PageText(), page) << "back at the saved page";
}

TEST_F(MenuLayerTest, AQuickSaveThatFailsIsToldToThePlayer) {
  // A folder below a plain file cannot be made.
  settings::SetSaveDirectoryOverride("/dev/null/saves");
  Key('S');
  OpenFully();
  Key(vk::kUp);
  Key(vk::kReturn);
  EXPECT_EQ(game.MenuState(), CMenuLayer::kNone);
  EXPECT_NE(Trace().find(reinterpret_cast<const char*>(u8"クイックセーブできませんでした")),
            std::string::npos);
  settings::SetSaveDirectoryOverride(saves.Path());
}

TEST_F(MenuLayerTest, ThePreviousChoiceComesBackAfterTheChoiceWasTaken) {
  // The sample's first page leads to its first choice.
  Key(vk::kReturn);
  for (int n = 0; n < 600 && game.Mode() != CGameSystem::kModeChoice; ++n) RunFrames(1);
  ASSERT_EQ(game.Mode(), CGameSystem::kModeChoice);
  const size_t choices = game.Choices().size();
  EXPECT_FALSE(game.HasPreviousChoice());
  Key(vk::kReturn);
  EXPECT_FALSE(game.HasPreviousChoice()) << "the plate is still fading in: nothing is taken";
  OpenFully();
  Key(vk::kReturn);
  WaitForClick();
  EXPECT_TRUE(game.HasPreviousChoice());
  OpenSystemMenu();
  Click(MenuItem(CSystemMenu::kPreviousChoice));
  ASSERT_EQ(game.MenuState(), CMenuLayer::kPreviousChoice);
  RunFrames(2 * settings::WindowTime() + 2);
  EXPECT_EQ(game.Menu().Prompt().Question(), "前の選択肢に戻ります。よろしいですか？");
  Key(vk::kUp);
  Key(vk::kReturn);
  EXPECT_NE(Trace().find("\"event\":\"load\",\"slot\":-2,\"ok\":true"), std::string::npos);
  RunFrames(2);
  EXPECT_EQ(game.Mode(), CGameSystem::kModeChoice);
  EXPECT_EQ(game.Choices().size(), choices);
  EXPECT_FALSE(game.HasPreviousChoice()) << "the point is used up";
}

}  // namespace

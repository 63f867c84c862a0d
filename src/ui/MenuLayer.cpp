#include "ui/MenuLayer.h"

#include <algorithm>

#include "gfx/Display.h"
#include "gfx/DrawTarget.h"
#include "gfx/ShapeDraw.h"
#include "io/Trace.h"
#include "persist/Settings.h"
#include "platform/VirtualKeys.h"
#include "ui/MenuHost.h"
#include "ui/MenuScreen.h"
#include "ui/MessageText.h"
#include "ui/MessageWindow.h"

namespace {

bool IsGameMode(int32_t mode) { return (mode >= 1 && mode <= 5) || (mode >= 7 && mode <= 13) || mode == 16; }

// The confirmation a menu state asks, or null.
const char* Question(int32_t state) {
  switch (state) {
    case CMenuLayer::kReturnToTitle:
      return "ゲームを中断しますか？";
    case CMenuLayer::kQuit:
      return "終了しますか？";
    case CMenuLayer::kQuickSave:
      return "セーブします。よろしいですか？";
    case CMenuLayer::kQuickLoad:
      return "ロードします。よろしいですか？";
    case CMenuLayer::kPreviousChoice:
      return "前の選択肢に戻ります。よろしいですか？";
    default:
      return nullptr;
  }
}

}  // namespace

CMenuLayer::CMenuLayer(IMenuHost& host, CDisplay& display, CMessageText& text, CMessageWindow& window)
    : host(host), display(display), text(text), window(window) {}

void CMenuLayer::SetScreen(int32_t menuState, IMenuScreen* screen) {
  if (menuState > kNone && menuState <= kPreviousChoice) screens[menuState] = screen;
}

IMenuScreen* CMenuLayer::Screen(int32_t menuState) const {
  return menuState > kNone && menuState <= kPreviousChoice ? screens[menuState] : nullptr;
}

void CMenuLayer::Start() {
  systemMenu.Load(display);
  prompt.Load(display);
  prompt.Clear();
  state = kNone;
  menuLevel.Set(0);
  screenLevel.Set(0);
  closeRequested = false;
}

void CMenuLayer::OpenMenu(int32_t next) {
  if (next == state) return;
  // Leaving the backlog ends the voice it may have replayed.
  if (state == kBacklog) host.StopVoice();
  if (screens[state]) screens[state]->Leave();
  display.MarkAllDirty();
  CTrace::Event("menu", {{"from", state}, {"to", next}});
  state = next;
  if (prompt.IsShown()) prompt.Clear();
  EnterState();
}

void CMenuLayer::EnterState() {
  if (state == kSystemMenu) systemMenu.ResetSelection();
  if (screens[state]) screens[state]->Enter();
  // A replay goes back to the flashback screen without asking.
  if (state == kReturnToTitle && host.IsReplay()) return;
  if (const char* question = Question(state)) prompt.Open(question);
}

bool CMenuLayer::Update(int32_t ticks) {
  if (menuLevel.Update(state == kSystemMenu, ticks, false, settings::WindowTime())) systemMenu.Invalidate();
  // The choice plate gives way to any menu; the script raises it again afterwards.
  if (state != kNone) window.ChoicePlate().Update(ticks, false, host.ChoiceCount());
  prompt.Update(ticks, !menuLevel.IsOpen());
  UpdateScreenLevel(ticks);
  if (screens[state]) screens[state]->Update(ticks);
  return state != kNone;
}

void CMenuLayer::UpdateScreenLevel(int32_t ticks) {
  const int32_t maximum = settings::DialogTime();
  const bool screen =
      state == kSaveScreen || state == kLoadScreen || state == kConfigScreen || state == kBacklog;
  const bool fade = (state == kReturnToTitle || state == kQuit) && !prompt.IsShown();
  if (fade && screenLevel.IsFull(maximum)) {
    if (state == kQuit) {
      closeRequested = true;
      return;
    }
    host.ReturnToTitle();
    OpenMenu(kNone);
    return;
  }
  if (screenLevel.Update(screen || fade, ticks, false, maximum)) display.MarkAllDirty();
}

bool CMenuLayer::CoversGame() const { return IsScreenFullyOpen(); }

bool CMenuLayer::IsScreenFullyOpen() const { return screenLevel.IsFull(settings::DialogTime()); }

IMenuScreen* CMenuLayer::ActiveScreen() const { return prompt.IsShown() ? nullptr : screens[state]; }

void CMenuLayer::Ask(const char* question) { prompt.Open(question); }

bool CMenuLayer::IsSystemMenuFullyOpen() const { return menuLevel.IsFull(settings::WindowTime()); }

void CMenuLayer::Draw(int32_t cursorX, int32_t cursorY) {
  CTextFont& font = text.Fonts().Font(CFontSet::kNormal);
  if (menuLevel.IsOpen())
    systemMenu.Draw(menuLevel.Opacity(settings::WindowTime()), IsSystemMenuFullyOpen(), font);
  DrawScreen(cursorX, cursorY);
  prompt.Draw(font);
}

void CMenuLayer::DrawScreen(int32_t cursorX, int32_t cursorY) {
  if (!screenLevel.IsOpen()) return;
  if (IMenuScreen* screen = screens[state]) {
    const float opacity =
        static_cast<float>(screenLevel.Value()) / static_cast<float>(settings::DialogTime());
    // Hover feedback follows the cursor only while the screen takes input.
    const bool input = ActiveScreen() != nullptr;
    return screen->Draw(std::min(opacity, 1.0f), IsScreenFullyOpen(), input ? cursorX : -1,
                        input ? cursorY : -1);
  }
  // The return-to-title and quit fades, and a state without a screen, fade to black.
  const int64_t alpha = int64_t{screenLevel.Value()} * 255 / settings::DialogTime();
  const uint32_t black = static_cast<uint32_t>(std::clamp<int64_t>(alpha, 0, 255)) << 24;
  shapes::FillRect(SDrawTarget::Screen(display), 0, 0, display.Width(), display.Height(), black);
}

bool CMenuLayer::IsWindowButtonEnabled(int action) const {
  return action >= 0 && action < CMessageWindow::kButtonCount && window.IsButtonAvailable(action);
}

void CMenuLayer::DoWindowButton(int action) {
  switch (action) {
    case CMessageWindow::kQuickLoad:
      if (host.HasQuickSave())
        OpenMenu(kQuickLoad);
      else
        host.ShowMessage("クイックロード", "クイックセーブのデータがありません");
      break;
    case CMessageWindow::kQuickSave:
      OpenMenu(kQuickSave);
      break;
    case CMessageWindow::kLog:
      OpenMenu(kBacklog);
      break;
    case CMessageWindow::kAuto:
    case CMessageWindow::kSkip: {
      const bool autoButton = action == CMessageWindow::kAuto;
      if (autoButton) host.SetAutoMode(!host.IsAutoMode());
      if (!autoButton) host.SetSkipMode(!host.IsSkipMode());
      // Auto and skip exclude each other: the button pressed wins.
      if (host.IsAutoMode() && host.IsSkipMode()) {
        if (autoButton) host.SetSkipMode(false);
        if (!autoButton) host.SetAutoMode(false);
      }
      display.MarkDirty(text.WindowLayout().GetControlRect("オート"));
      display.MarkDirty(text.WindowLayout().GetControlRect("スキップ"));
      break;
    }
    case CMessageWindow::kLoad:
    case CMessageWindow::kSave:
    case CMessageWindow::kConfig:
      host.PlayDecideSound();
      OpenMenu(action == CMessageWindow::kLoad   ? kLoadScreen
               : action == CMessageWindow::kSave ? kSaveScreen
                                                 : kConfigScreen);
      break;
    case CMessageWindow::kClose:
      window.SetHiddenByPlayer(true);
      display.MarkAllDirty();
      break;
    default:
      break;
  }
}

int CMenuLayer::ShortcutAction(uint32_t key, bool shift) const {
  if (key == 0) return -1;
  for (const CMessageWindow::SButton& button : CMessageWindow::kButtons) {
    const CShortcutKeys::SShortcut shortcut = settings::ShortcutKeys().Get(button.control);
    if (shortcut.key == key && shortcut.shift == shift && IsWindowButtonEnabled(button.kind))
      return button.kind;
  }
  return -1;
}

void CMenuLayer::OnMouseMove(int32_t x, int32_t y) {
  if (prompt.IsShown()) return prompt.HoverAt(x, y);
  if (IMenuScreen* screen = ActiveScreen()) return screen->OnMouseMove(x, y);
  if (state != kSystemMenu) return;
  const int item = systemMenu.ItemAt(x, y);
  // Off the rows the list keeps its selection, so the keys can go on from it.
  if (item >= 0 || !systemMenu.IsListForm()) systemMenu.Select(item);
}

void CMenuLayer::OnLButtonDown(int32_t x, int32_t y) {
  if (prompt.IsShown()) {
    if (prompt.IsOnSelected(x, y)) OnConfirm();
    return;
  }
  if (IMenuScreen* screen = ActiveScreen()) return screen->OnLButtonDown(x, y);
  if (state == kSystemMenu && systemMenu.Selection() >= 0 &&
      systemMenu.ItemAt(x, y) == systemMenu.Selection())
    OnConfirm();
}

void CMenuLayer::OnLButtonUp(int32_t x, int32_t y) {
  if (IMenuScreen* screen = ActiveScreen()) screen->OnLButtonUp(x, y);
}

void CMenuLayer::OnMouseWheel(int32_t notches) {
  if (IMenuScreen* screen = ActiveScreen()) screen->OnMouseWheel(notches);
}

void CMenuLayer::OnKeyDown(uint32_t key, bool firstPress) {
  const bool decide = (key == vk::kReturn || key == vk::kSpace) && firstPress;
  if (prompt.IsShown()) {
    if (key == vk::kUp || key == vk::kLeft) prompt.Select(CPromptBox::kYes);
    if (key == vk::kDown || key == vk::kRight) prompt.Select(CPromptBox::kNo);
    if (decide) OnConfirm();
    return;
  }
  if (IMenuScreen* screen = ActiveScreen()) return screen->OnKeyDown(key, firstPress);
  if (state != kSystemMenu) return;
  if (key == vk::kUp || key == vk::kDown) systemMenu.Move(key == vk::kUp ? -1 : 1);
  if (decide) OnConfirm();
}

void CMenuLayer::OnConfirm() {
  if (prompt.IsShown()) {
    if (!prompt.IsFullyOpen()) return;
    if (prompt.Selection() == CPromptBox::kNo) {
      OnCancel();
      return;
    }
    AnswerYes();
    return;
  }
  if (IMenuScreen* screen = ActiveScreen()) {
    if (IsScreenFullyOpen()) screen->OnConfirm();
    return;
  }
  if (state != kSystemMenu || !IsSystemMenuFullyOpen() || systemMenu.Selection() < 0) return;
  ActOnSystemMenuItem(systemMenu.Selection());
  // One tick short of open: a second click in the same frame finds the menu still fading.
  menuLevel.Set(std::max(menuLevel.Value() - 1, 0));
  systemMenu.Invalidate();
}

void CMenuLayer::AnswerYes() {
  if (IMenuScreen* screen = screens[state]) {
    prompt.Clear();
    return screen->OnPromptYes();
  }
  switch (state) {
    case kQuickSave:
      OpenMenu(kNone);
      Report(host.SaveGame(-1), "クイックセーブ", "クイックセーブできませんでした");
      break;
    case kQuickLoad:
      OpenMenu(kNone);
      Report(host.LoadGame(-1), "クイックロード", "クイックロードできませんでした");
      break;
    case kPreviousChoice:
      OpenMenu(kNone);
      Report(host.LoadGame(-2), "前の選択肢", "前の選択肢に戻れませんでした");
      break;
    default:
      // Return to title and quit: the fade starts once the box is gone.
      prompt.Clear();
      break;
  }
}

void CMenuLayer::ActOnSystemMenuItem(int item) {
  // Items that are window buttons by another name: save, load, config, quick load, quick save, log.
  static constexpr int kButtonOfItem[CSystemMenu::kButtonItems] = {
      CMessageWindow::kSave,      CMessageWindow::kLoad,      CMessageWindow::kConfig, -1, -1, -1,
      CMessageWindow::kQuickLoad, CMessageWindow::kQuickSave, CMessageWindow::kLog,    -1};
  if (item < 0 || item >= CSystemMenu::kButtonItems) return;
  if (kButtonOfItem[item] >= 0) return DoWindowButton(kButtonOfItem[item]);
  host.PlayDecideSound();
  if (item == CSystemMenu::kQuit) OpenMenu(kQuit);
  if (item == CSystemMenu::kTitle) OpenMenu(kReturnToTitle);
  if (item == CSystemMenu::kClose) OpenMenu(kNone);
  if (item == CSystemMenu::kPreviousChoice && host.HasPreviousChoice()) OpenMenu(kPreviousChoice);
}

void CMenuLayer::OnCancel() {
  if (prompt.IsShown()) {
    if (!prompt.IsFullyOpen()) return;
    prompt.Clear();
    // The menu screens keep their state under their own prompts.
    if (state >= kReturnToTitle && state != kBacklog) OpenMenu(kNone);
    return;
  }
  if (state == kNone) {
    if (window.IsHiddenByPlayer()) {
      window.SetHiddenByPlayer(false);
      display.MarkAllDirty();
    } else if (IsGameMode(host.GetMode())) {
      if (host.IsReplay())
        OpenMenu(kReturnToTitle);
      else if (!host.IsMenuLocked())
        OpenMenu(kSystemMenu);
    }
    return;
  }
  if (IMenuScreen* screen = ActiveScreen(); screen && screen->OnCancel()) return;
  if (state <= kConfigScreen || state == kBacklog) OpenMenu(kNone);
}

void CMenuLayer::TakeChoiceSnapshot() {
  Report(host.SaveGame(-2), "前の選択肢", "前の選択肢を記録できませんでした");
}

void CMenuLayer::Report(bool ok, const char* caption, const char* failure) {
  if (!ok) host.ShowMessage(caption, failure);
}

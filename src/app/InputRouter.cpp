#include "app/InputRouter.h"

#include <algorithm>

#include "app/GameSystem.h"
#include "audio/SoundSystem.h"
#include "persist/Settings.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"
#include "script/ScriptRunner.h"
#include "ui/DialogLayer.h"
#include "ui/MenuLayer.h"
#include "ui/MessageText.h"
#include "ui/MessageWindow.h"

bool CInputRouter::EndOpening() {
  if (!game.IsOpeningRunning()) return false;
  game.Script().EndScenario();
  return true;
}

bool CInputRouter::StopSkip() {
  if (!game.IsSkipping()) return false;
  game.SetSkipping(false);
  game.Display().MarkAllDirty();
  return true;
}

bool CInputRouter::IsMenuOpen() const { return menu.State() != CMenuLayer::kNone || menu.IsPromptShown(); }

void CInputRouter::HoverChoice(int32_t x, int32_t y) {
  const int32_t row = game.Window().ChoicePlate().RowAt(game.Choices().size(), settings::LinePitch(), x, y);
  if (row != game.ChoiceHover()) game.Display().MarkAllDirty();
  game.SetChoiceHover(row);
}

void CInputRouter::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  if (game.Dialogs().IsOpen()) return game.Dialogs().OnMouseMove(x, y);
  if (IsMenuOpen()) return menu.OnMouseMove(x, y);
  if (CScreenMode* mode = game.ScreenMode()) return mode->OnMouseMove(flags, x, y);
  if (game.Mode() == CGameSystem::kModeChoice) HoverChoice(x, y);
}

void CInputRouter::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  if (game.Dialogs().IsOpen()) return game.Dialogs().OnLButtonDown(x, y);
  if (IsMenuOpen()) return menu.OnLButtonDown(x, y);
  if (CScreenMode* mode = game.ScreenMode()) return mode->OnLButtonDown(flags, x, y);
  if (EndOpening() || StopSkip()) return;
  // A click over a movie ends it, wherever the window's buttons lie underneath.
  if (game.Mode() == CGameSystem::kModeMovie) return OnConfirm();
  CMessageWindow& window = game.Window();
  const int button = window.ButtonAt(x, y);
  if (button >= 0) {
    if (menu.IsWindowButtonEnabled(button)) menu.DoWindowButton(button);
    return;
  }
  if (window.IsHiddenByPlayer()) {
    window.SetHiddenByPlayer(false);
    game.Display().MarkAllDirty();
    return;
  }
  if (game.Mode() == CGameSystem::kModeChoice) {
    // Only a click on the selected row takes it.
    HoverChoice(x, y);
    if (game.ChoiceHover() == -1) return;
  }
  OnConfirm();
}

void CInputRouter::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  if (game.Dialogs().IsOpen()) return game.Dialogs().OnLButtonUp(x, y);
  if (IsMenuOpen()) return menu.OnLButtonUp(x, y);
  if (CScreenMode* mode = game.ScreenMode()) mode->OnLButtonUp(flags, x, y);
}

bool CInputRouter::HideWindowByRightClick(int32_t x, int32_t y) {
  CMessageWindow& window = game.Window();
  if (!window.IsShown() || window.IsHiddenByPlayer() || !menu.IsWindowButtonEnabled(CMessageWindow::kClose))
    return false;
  if (settings::GetSetting("右クリックで閉じる", "あり") != "あり") return false;
  const CLayout& layout = game.Text().WindowLayout();
  for (int i = 0; i < layout.ControlCount(); ++i) {
    if (!layout.Control(i).rect.Contains(x, y)) continue;
    menu.DoWindowButton(CMessageWindow::kClose);
    return true;
  }
  return false;
}

void CInputRouter::OnRButtonDown(uint32_t flags, int32_t x, int32_t y) {
  if (game.Dialogs().IsOpen()) return;
  if (!IsMenuOpen()) {
    if (CScreenMode* mode = game.ScreenMode())
      mode->OnRButtonDown(flags, x, y);
    else if (EndOpening() || HideWindowByRightClick(x, y) || StopSkip())
      return;
  }
  OnCancel();
}

void CInputRouter::OnMouseWheel(uint32_t flags, int32_t delta, int32_t x, int32_t y) {
  // Fine-grained wheels send less than a notch at a time; the parts add up across messages.
  wheelRemainder += delta;
  const int32_t notches = wheelRemainder / 120;
  wheelRemainder %= 120;
  if (notches == 0) return;
  if (game.Dialogs().IsOpen()) return game.Dialogs().OnMouseWheel(notches);
  if (IsMenuOpen()) return menu.OnMouseWheel(notches);
  const int32_t mode = game.Mode();
  if (mode == CGameSystem::kModeText) return OnConfirm();
  if (mode < CGameSystem::kModeClickWait || mode > CGameSystem::kModeChoice) return;
  if (notches > 0) {
    if (!menu.IsWindowButtonEnabled(CMessageWindow::kLog)) return;
    menu.DoWindowButton(CMessageWindow::kLog);
    OnMouseMove(flags, x, y);
  } else if (mode != CGameSystem::kModeChoice) {
    OnConfirm();
  }
}

void CInputRouter::MoveChoice(int step) {
  const int32_t count = static_cast<int32_t>(game.Choices().size());
  if (count == 0) return;
  const int32_t hover = game.ChoiceHover();
  game.SetChoiceHover(hover == -1 ? (step > 0 ? 0 : count - 1) : std::clamp(hover + step, 0, count - 1));
  game.Display().MarkAllDirty();
}

void CInputRouter::MoveCursor(uint32_t key) {
  IInput& in = game.Platform().Input();
  SPoint p = in.GetCursorPos();
  const int32_t dx = key == vk::kLeft ? -16 : key == vk::kRight ? 16 : 0;
  const int32_t dy = key == vk::kUp ? -16 : key == vk::kDown ? 16 : 0;
  in.SetCursorPos(std::clamp(p.x + dx, 0, game.Display().Width() - 1),
                  std::clamp(p.y + dy, 0, game.Display().Height() - 1));
}

void CInputRouter::OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) {
  const bool firstPress = (flags & vk::kFlagRepeat) == 0;
  if (game.Dialogs().IsOpen()) return game.Dialogs().OnKeyDown(key, firstPress);
  if (IsMenuOpen()) {
    if (key == vk::kEscape) return OnCancel();
    return menu.OnKeyDown(key, firstPress);
  }
  // The screen mode sees every key first, Escape included (it skips a logo).
  if (CScreenMode* mode = game.ScreenMode(); mode && mode->OnKeyDown(key, repeat, flags) != 0) return;
  // Any key ends the opening script, Escape too: the menu is locked while it runs.
  if (EndOpening()) return;
  if (key == vk::kEscape) return OnCancel();
  if (StopSkip()) return;
  OnGameKeyDown(key, firstPress);
}

void CInputRouter::OnGameKeyDown(uint32_t key, bool firstPress) {
  const bool decide = key == vk::kReturn || key == vk::kSpace;
  const bool arrow = key == vk::kUp || key == vk::kDown || key == vk::kLeft || key == vk::kRight;
  const int32_t mode = game.Mode();
  if (mode == CGameSystem::kModeMovie) {
    // Only the decide keys end a movie; no shortcut reaches the game underneath.
    if (decide && firstPress) OnConfirm();
  } else if (mode == CGameSystem::kModeChoice && (key == vk::kUp || key == vk::kDown)) {
    MoveChoice(key == vk::kUp ? -1 : 1);
  } else if ((mode == CGameSystem::kModeClickRegions || mode == CGameSystem::kModeMap) && (arrow || decide)) {
    if (arrow)
      MoveCursor(key);
    else if (firstPress)
      OnConfirm();
  } else if ((decide || key == vk::kDown) && firstPress) {
    OnConfirm();
  } else if (firstPress) {
    const int action = menu.ShortcutAction(key, game.Platform().Input().IsKeyDown(vk::kShift));
    if (action >= 0) menu.DoWindowButton(action);
  }
}

void CInputRouter::OnTextInput(const std::string& utf8) {
  if (game.Dialogs().IsOpen()) game.Dialogs().OnTextInput(utf8);
}

void CInputRouter::OnTextEditing(const std::string& utf8, int32_t cursor) {
  if (game.Dialogs().IsOpen()) game.Dialogs().OnTextEditing(utf8, cursor);
}

void CInputRouter::OnConfirm() {
  if (IsMenuOpen()) return menu.OnConfirm();
  ConfirmInGame();
}

void CInputRouter::ConfirmInGame() {
  const int32_t mode = game.Mode();
  const bool timedWait = mode >= CGameSystem::kModeEffectIn && mode <= CGameSystem::kModeWait;
  if (mode == CGameSystem::kModeText) {
    game.Text().OnConfirm();
    return;
  }
  if (timedWait && settings::GetSetting("ウェイトのキャンセル", "") == "あり")
    return game.SetWaitElapsed(game.WaitLength());
  switch (mode) {
    case CGameSystem::kModeClickWait:
    case CGameSystem::kModeClickWaitPage:
      if (game.Window().IsHiddenByPlayer()) break;
      game.Sound().StopSound(CSoundSystem::kVoiceChannel, 0);
      game.Text().OnConfirm();
      break;
    case CGameSystem::kModeChoice:
    case CGameSystem::kModeClickRegions:
      TakeChoice();
      break;
    case CGameSystem::kModeMovie:
      game.EndMovie();
      break;
    default:
      break;
  }
}

void CInputRouter::TakeChoice() {
  if (game.ChoiceHover() == -1 || game.ChoiceTaken() != -1) return;
  // A choice is taken only once its plate is fully open; the snapshot before it is the point the
  // player can return to.
  const bool choice = game.Mode() == CGameSystem::kModeChoice;
  if (choice && !game.Window().ChoicePlate().Level().IsFull(settings::WindowTime())) return;
  if (choice) menu.TakeChoiceSnapshot();
  game.SetChoiceTaken(game.ChoiceHover());
  game.Sound().PlaySystemSound("決定SE");
}

void CInputRouter::OnCancel() {
  game.Platform().Input().SetCapture(false);
  CScreenMode* mode = game.ScreenMode();
  if (mode && !IsMenuOpen() && mode->OnCancel() != 0) return;
  menu.OnCancel();
}

#include "app/InputRouter.h"

#include <algorithm>

#include "app/GameSystem.h"
#include "app/ScriptHostAdapter.h"
#include "audio/SoundSystem.h"
#include "persist/Settings.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"
#include "script/ScriptRunner.h"
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

void CInputRouter::HoverChoice(int32_t x, int32_t y) {
  const int32_t row = game.Window().ChoicePlate().RowAt(game.Choices().size(), settings::LinePitch(), x, y);
  if (row != game.ChoiceHover()) game.Display().MarkAllDirty();
  game.SetChoiceHover(row);
}

void CInputRouter::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  if (game.MenuState() != 0) return;
  if (CScreenMode* mode = game.ScreenMode()) return mode->OnMouseMove(flags, x, y);
  if (game.Mode() == CGameSystem::kModeChoice) HoverChoice(x, y);
}

void CInputRouter::DoWindowButton(int action) {
  CMessageWindow& window = game.Window();
  switch (action) {
    case CMessageWindow::kAuto:
      game.SetAutoMode(!game.IsAutoMode());
      if (game.IsAutoMode()) game.SetSkipping(false);
      break;
    case CMessageWindow::kSkip:
      game.SetSkipping(!game.IsSkipping());
      if (game.IsSkipping()) game.SetAutoMode(false);
      break;
    case CMessageWindow::kClose:
      window.SetHiddenByPlayer(true);
      break;
    default:
      return;
  }
  game.Display().MarkAllDirty();
}

void CInputRouter::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  if (game.MenuState() != 0) return;
  if (CScreenMode* mode = game.ScreenMode()) return mode->OnLButtonDown(flags, x, y);
  if (EndOpening() || StopSkip()) return;
  CMessageWindow& window = game.Window();
  const int button = window.ButtonAt(x, y);
  if (button >= 0) {
    if (window.IsButtonAvailable(button)) DoWindowButton(button);
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

void CInputRouter::OnRButtonDown(uint32_t flags, int32_t x, int32_t y) {
  if (game.MenuState() == 0) {
    if (CScreenMode* mode = game.ScreenMode())
      mode->OnRButtonDown(flags, x, y);
    else
      StopSkip();
  }
  OnCancel();
}

void CInputRouter::OnMouseWheel(uint32_t, int32_t delta, int32_t, int32_t) {
  wheelRemainder += delta;
  const int32_t notches = wheelRemainder / 120;
  wheelRemainder %= 120;
  if (notches == 0 || game.MenuState() != 0) return;
  const int32_t mode = game.Mode();
  if (mode == CGameSystem::kModeText || (notches < 0 && (mode == 2 || mode == 3))) OnConfirm();
}

void CInputRouter::MoveChoice(int step) {
  const int32_t count = static_cast<int32_t>(game.Choices().size());
  if (count == 0) return;
  const int32_t hover = game.ChoiceHover();
  game.SetChoiceHover(hover == -1 ? (step > 0 ? 0 : count - 1) : std::clamp(hover + step, 0, count - 1));
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
  if (game.MenuState() != 0) {
    if (key == vk::kEscape) OnCancel();
    return;
  }
  // The screen mode sees every key first, Escape included (it skips a logo).
  if (CScreenMode* mode = game.ScreenMode(); mode && mode->OnKeyDown(key, repeat, flags) != 0) return;
  if (key == vk::kEscape) return OnCancel();
  if (EndOpening() || StopSkip()) return;
  const bool decide = key == vk::kReturn || key == vk::kSpace;
  const bool arrow = key == vk::kUp || key == vk::kDown || key == vk::kLeft || key == vk::kRight;
  const int32_t mode = game.Mode();
  if (mode == CGameSystem::kModeChoice && (key == vk::kUp || key == vk::kDown)) {
    MoveChoice(key == vk::kUp ? -1 : 1);
  } else if ((mode == CGameSystem::kModeClickRegions || mode == CGameSystem::kModeMap) && (arrow || decide)) {
    if (arrow)
      MoveCursor(key);
    else if (firstPress)
      OnConfirm();
  } else if ((decide || key == vk::kDown) && firstPress) {
    OnConfirm();
  }
}

void CInputRouter::OnConfirm() {
  if (game.MenuState() != 0) return;
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
      if (game.ChoiceHover() == -1) break;
      game.SetChoiceTaken(game.ChoiceHover());
      game.Sound().PlaySystemSound("決定SE");
      break;
    default:
      break;
  }
}

void CInputRouter::OnCancel() {
  game.Platform().Input().SetCapture(false);
  if (CScreenMode* mode = game.ScreenMode(); mode && game.MenuState() == 0 && mode->OnCancel() != 0) return;
  // The menu screens arrive with the menu layer; until then "back" leaves any menu state they would
  // show, so a player is never left in front of a screen that is not there.
  const int32_t state = game.MenuState();
  if ((state >= 1 && state <= 5) || state == 7 || state >= 8) {
    game.SetMenuState(0);
    game.Display().MarkAllDirty();
  } else if (state == 0 && game.Window().IsHiddenByPlayer()) {
    game.Window().SetHiddenByPlayer(false);
    game.Display().MarkAllDirty();
  }
}

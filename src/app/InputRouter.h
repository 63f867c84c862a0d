#pragma once
#include <cstdint>
#include <string>

class CGameSystem;
class CMenuLayer;

// Routes mouse and keyboard input: to an open dialog first, then to the menu layer while a menu or prompt is
// open, else to the screen mode, the opening script, the skip state, the window buttons and their shortcut
// keys, the choice list, the click regions and the click waits ("decide" and "back").
class CInputRouter {
 public:
  CInputRouter(CGameSystem& game, CMenuLayer& menu) : game(game), menu(menu) {}

  void OnMouseMove(uint32_t flags, int32_t x, int32_t y);
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y);
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y);
  void OnRButtonDown(uint32_t flags, int32_t x, int32_t y);
  void OnMouseWheel(uint32_t flags, int32_t delta, int32_t x, int32_t y);
  void OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags);
  // Typed text and the input method's composition only ever reach an open dialog.
  void OnTextInput(const std::string& utf8);
  void OnTextEditing(const std::string& utf8, int32_t cursor);
  // The "decide" input: the prompt or the system menu, else completes text, ends a click wait, takes
  // the selected choice or region.
  void OnConfirm();
  // The "back" input.
  void OnCancel();

 private:
  // While the opening script runs, any click (either button) or key ends it.
  bool EndOpening();
  // While skipping, a click or key only stops the skip.
  bool StopSkip();
  bool IsMenuOpen() const;
  // A right click on the shown message window hides it, when the settings allow.
  bool HideWindowByRightClick(int32_t x, int32_t y);
  void OnGameKeyDown(uint32_t key, bool firstPress);
  void ConfirmInGame();
  void TakeChoice();
  void MoveChoice(int step);
  void MoveCursor(uint32_t key);
  void HoverChoice(int32_t x, int32_t y);

  CGameSystem& game;
  CMenuLayer& menu;
  int32_t wheelRemainder = 0;
};

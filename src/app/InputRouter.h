#pragma once
#include <cstdint>

class CGameSystem;

// Routes mouse and keyboard input while no system menu is open: to the screen mode, the opening
// script, the skip state, the choice list, the click regions and the click waits ("decide" and
// "back").
class CInputRouter {
 public:
  explicit CInputRouter(CGameSystem& game) : game(game) {}

  void OnMouseMove(uint32_t flags, int32_t x, int32_t y);
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y);
  void OnRButtonDown(uint32_t flags, int32_t x, int32_t y);
  void OnMouseWheel(uint32_t flags, int32_t delta, int32_t x, int32_t y);
  void OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags);
  // The "decide" input: completes text, ends a click wait, takes the selected choice or region.
  void OnConfirm();
  // The "back" input.
  void OnCancel();
  // A message-window button (action number); the buttons that open menus wait for the menu layer.
  void DoWindowButton(int action);

 private:
  // While the opening script runs, any click or key ends it.
  bool EndOpening();
  // While skipping, a click or key only stops the skip.
  bool StopSkip();
  void MoveChoice(int step);
  void MoveCursor(uint32_t key);
  void HoverChoice(int32_t x, int32_t y);

  CGameSystem& game;
  int32_t wheelRemainder = 0;
};

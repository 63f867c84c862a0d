#pragma once
#include <cstdint>

// A full-screen menu screen of the menu layer (save, load, config, backlog). The layer owns the
// state, the fade and the prompts; the screen draws its layout and contents and takes the input of
// its state. Coordinates are game-screen pixels.
class IMenuScreen {
 public:
  virtual ~IMenuScreen() = default;

  // The menu state was entered: the screen reads its layout and what it shows.
  virtual void Enter() = 0;
  // The menu state is left: the screen frees what Enter read.
  virtual void Leave() = 0;
  // Once per frame while the state is set, after the layer's fades.
  virtual void Update(int32_t ticks) { (void)ticks; }
  // Draws the layout with opacity (0 to 1) and, once fully open, the contents.
  virtual void Draw(float opacity, bool fullyOpen, int32_t cursorX, int32_t cursorY) = 0;

  // Input while the state is set and no prompt is shown.
  virtual void OnMouseMove(int32_t x, int32_t y) { (void)x, (void)y; }
  virtual void OnLButtonDown(int32_t x, int32_t y) { (void)x, (void)y; }
  virtual void OnLButtonUp(int32_t x, int32_t y) { (void)x, (void)y; }
  // Whole wheel notches, positive away from the player.
  virtual void OnMouseWheel(int32_t notches) { (void)notches; }
  virtual void OnKeyDown(uint32_t key, bool firstPress) { (void)key, (void)firstPress; }
  // "Decide" (Enter, Space, or a click the screen passes on) once the screen is fully open.
  virtual void OnConfirm() {}
  // "はい" on a prompt the screen raised with CMenuLayer::Ask.
  virtual void OnPromptYes() {}
  // "Back": true when the screen dealt with it itself and stays open; false closes the menu.
  virtual bool OnCancel() { return false; }
};

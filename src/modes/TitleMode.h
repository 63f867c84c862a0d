#pragma once
#include <cstdint>

#include "ui/Layout.h"
#include "ui/ScreenMode.h"

// The title screen (engine mode 17): fades in from black, lets the player choose among the seven
// items of CTitleMenu, and fades to black before starting the game or an extras screen. Continue,
// config and quit open their menu state over the title instead.
class CTitleMode : public CScreenMode {
 public:
  enum EPhase : int32_t { kFadingIn = 0, kChoosing = 1, kFadingOut = 2 };

  // Loads the title layout the settings choose and plays "タイトルBGM".
  explicit CTitleMode(CGameSystem& game);

  int Update(int32_t delta, int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  int OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) override;
  void Draw(int32_t x, int32_t y) override;

  int32_t Phase() const { return phase; }
  int32_t Counter() const { return counter; }
  int32_t Selected() const { return selected; }
  const CLayout& Layout() const { return layout; }

 private:
  void SetPhase(int32_t next);
  void Select(int32_t item);
  void Activate(int32_t item);
  // The end of the fade-out: starts the game or switches to the chosen extras screen. The mode
  // object is gone afterwards.
  void Finish();

  CLayout layout;
  int32_t fadeTime;
  int32_t phase = kFadingIn;
  int32_t counter = 0;
  int32_t selected = -1;
};

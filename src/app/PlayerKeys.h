#pragma once
#include <cstdint>

class CGameSystem;

// Keys of the player program rather than of the game, taken before the game sees them:
// PrintScreen (and F12 unless the game binds it as a shortcut) saves a screenshot, Ctrl+C copies
// the current page's text with its readings to the clipboard.
class CPlayerKeys {
 public:
  explicit CPlayerKeys(CGameSystem& game) : game(game) {}
  // True when the key was taken.
  bool OnKeyDown(uint32_t key, uint32_t flags);

  // Whether one of the game's shortcut keys is F12.
  static bool GameBindsF12();

 private:
  void CopyPage();

  CGameSystem& game;
};

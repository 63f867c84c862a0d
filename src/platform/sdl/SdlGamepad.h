#pragma once
#include <SDL.h>

#include <deque>
#include <map>
#include <optional>

#include "platform/GamepadMap.h"

// Game controllers through SDL's game-controller layer: every controller plugged in (also while
// the game runs) is opened, its buttons and left stick become the events of CGamepadMap, and a
// held direction repeats as a held arrow key does.
class CSdlGamepad {
 public:
  CSdlGamepad() = default;
  ~CSdlGamepad() { Close(); }
  CSdlGamepad(const CSdlGamepad&) = delete;
  CSdlGamepad& operator=(const CSdlGamepad&) = delete;

  // Starts SDL's controller subsystem; false (and no controllers) when it cannot start.
  bool Open();
  void Close();
  void SetKeys(const SGamepadKeys& keys) { map.SetKeys(keys); }

  // Takes a controller event (device added or removed, button, axis); false for other events.
  bool Handle(const SDL_Event& event);
  // The next event the controllers produced, repeats of a held direction due at now included.
  bool Next(uint32_t now, SPlatformEvent& event);
  // Whether a controller holds that key down (the right shoulder holds Ctrl).
  bool IsKeyHeld(uint32_t virtualKey) const;
  int ControllerCount() const { return static_cast<int>(pads.size()); }

 private:
  static std::optional<EPadButton> ButtonOf(uint8_t sdlButton);
  void Press(EPadButton button, bool down);
  void MoveStick(uint8_t axis, int value);

  bool opened = false;
  CGamepadMap map;
  std::map<SDL_JoystickID, SDL_GameController*> pads;
  std::deque<SPlatformEvent> pending;
  std::optional<EPadButton> repeating;
  uint32_t nextRepeat = 0;
  bool repeatArmed = false;
  bool controlHeld = false;
  int stickX = 0, stickY = 0;
};

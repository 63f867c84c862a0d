#pragma once
#include <cstdint>

#include "platform/GamepadMap.h"
#include "platform/Geometry.h"

// Cursor, mouse capture and key state of the game window.
class IInput {
 public:
  virtual ~IInput() = default;
  // The cursor position in game-screen pixels.
  virtual SPoint GetCursorPos() = 0;
  virtual void SetCursorPos(int x, int y) = 0;
  virtual void ShowSystemCursor(bool show) = 0;
  virtual void SetCapture(bool capture) = 0;
  // Whether a key (virtual-key code, e.g. Ctrl or Shift) is down now.
  virtual bool IsKeyDown(uint32_t virtualKey) = 0;
  virtual bool HasFocus() = 0;
  // The game's keys that controller buttons stand for (backends without controllers ignore them).
  virtual void SetGamepadKeys(const SGamepadKeys& /*keys*/) {}
  // Text entry for a field (game-screen pixels, where the input method may place its window): text
  // and composition events arrive until it is stopped. Off by default, so keys stay keys.
  virtual void StartTextInput(const SRect& /*field*/) {}
  virtual void StopTextInput() {}
};

#pragma once
#include <cstdint>
#include <optional>

#include "platform/Events.h"

// A game controller's buttons in the layout of the common controller database.
enum class EPadButton {
  kA,
  kB,
  kX,
  kY,
  kBack,
  kStart,
  kLeftShoulder,
  kRightShoulder,
  kUp,
  kDown,
  kLeft,
  kRight
};

// Keys the game binds that a controller button stands for.
struct SGamepadKeys {
  uint32_t autoKey = 0x41;  // the auto-mode shortcut ('A' unless the game binds another)
};

// What a controller does, as the events the engine already understands: A confirms (Enter), B and
// Start go back or open the system menu (Escape), the d-pad and left stick are the arrow keys, Y
// opens the backlog (a wheel notch away from the player), the right shoulder holds Ctrl (skipping
// while held), the left shoulder presses the auto-mode key.
class CGamepadMap {
 public:
  // Repeats of a held direction, as a keyboard repeats: the first after 400 ms, then every 80 ms.
  static constexpr uint32_t kRepeatDelayMs = 400;
  static constexpr uint32_t kRepeatIntervalMs = 80;
  // The left stick counts as pressed beyond half of its travel and released below a third.
  static constexpr int kStickPress = 16384;
  static constexpr int kStickRelease = 10922;

  explicit CGamepadMap(SGamepadKeys keys = {}) : keys(keys) {}
  void SetKeys(const SGamepadKeys& value) { keys = value; }

  // The event of a button press or release; none for buttons without a meaning.
  std::optional<SPlatformEvent> Translate(EPadButton button, bool down) const;
  // Whether the button is a direction that repeats while held.
  static bool IsDirection(EPadButton button);
  // The stick direction on one axis after hysteresis: -1, 0 or 1, given the previous one.
  static int StickDirection(int value, int previous);

 private:
  SGamepadKeys keys;
};

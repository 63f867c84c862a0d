#pragma once
#include <algorithm>
#include <cstdint>

// How far a plate (message window, date plate, choice plate) has faded in: 0 closed, up to the
// open time in ticks fully open. It moves towards the open time while the plate is shown and
// towards 0 otherwise, by the ticks that passed, or all the way at once.
class COpenLevel {
 public:
  // Moves the level; true when it changed (the plate must be redrawn).
  bool Update(bool shown, int32_t ticks, bool jump, int32_t maximum) {
    const int32_t before = level;
    const int32_t step = jump ? maximum : std::max(ticks, 0);
    level = shown ? std::min(maximum, level + step) : std::max(0, std::min(level, maximum) - step);
    return level != before;
  }
  void Set(int32_t value) { level = value; }
  int32_t Value() const { return level; }
  bool IsOpen() const { return level > 0; }
  bool IsFull(int32_t maximum) const { return level >= maximum; }
  float Opacity(int32_t maximum) const { return maximum > 0 ? static_cast<float>(level) / maximum : 1.0f; }

 private:
  int32_t level = 0;
};

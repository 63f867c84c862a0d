#pragma once
#include <cstdint>

struct SDrawTarget;

// The bar under the selected row of choices and menus: white at alpha 0xC0, with 16-pixel ramps
// to transparent at both ends.
class CHighlightBar {
 public:
  static void Draw(const SDrawTarget& target, int32_t x, int32_t y, int32_t width, int32_t height);
};

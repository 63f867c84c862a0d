#pragma once
#include <cstdint>

// Rectangles are left/top inclusive, right/bottom exclusive, as in the game's data.
struct SRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool IsEmpty() const { return left >= right || top >= bottom; }
  bool Contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const SRect&) const = default;
};

struct SPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const SPoint&) const = default;
};

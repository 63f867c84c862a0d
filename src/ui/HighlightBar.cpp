#include "ui/HighlightBar.h"

#include "gfx/ShapeDraw.h"

void CHighlightBar::Draw(const SDrawTarget& target, int32_t x, int32_t y, int32_t width, int32_t height) {
  constexpr uint32_t kClear = 0x00FFFFFF;
  constexpr uint32_t kWhite = 0xC0FFFFFF;
  constexpr int32_t kRamp = 16;
  const auto fx = static_cast<float>(x), fy = static_cast<float>(y);
  const auto bottom = static_cast<float>(y + height), right = static_cast<float>(x + width);
  shapes::DrawShadedRect(target, fx, fy, fx + kRamp, bottom, kClear, kWhite, kWhite, kClear);
  shapes::FillRect(target, x + kRamp, y, x + width - kRamp, y + height, kWhite);
  shapes::DrawShadedRect(target, right - kRamp, fy, right, bottom, kWhite, kClear, kClear, kWhite);
}

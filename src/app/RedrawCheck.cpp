#include "app/RedrawCheck.h"

#include <algorithm>

#include "gfx/Display.h"

namespace {

constexpr uint32_t kShown = 0x00FFFFFFu;

// The first and one past the last differing column of a row; first >= last when the rows are equal.
void DifferingColumns(const uint32_t* a, const uint32_t* b, int width, int32_t& first, int32_t& last) {
  first = 0;
  while (first < width && ((a[first] ^ b[first]) & kShown) == 0) ++first;
  last = width;
  while (last > first && ((a[last - 1] ^ b[last - 1]) & kShown) == 0) --last;
}

}  // namespace

std::optional<SRect> CRedrawCheck::FirstDifference(const uint32_t* a, const uint32_t* b, int width,
                                                   int height) {
  std::optional<SRect> band;
  for (int y = 0; y < height; ++y) {
    const size_t row = static_cast<size_t>(y) * width;
    int32_t first = 0, last = 0;
    DifferingColumns(a + row, b + row, width, first, last);
    if (first >= last) {
      if (band) break;
      continue;
    }
    if (!band) band = SRect{first, y, last, y + 1};
    band->left = std::min(band->left, first);
    band->right = std::max(band->right, last);
    band->bottom = y + 1;
  }
  return band;
}

std::optional<SRect> CRedrawCheck::Check(CDisplay& display, const std::function<void()>& drawFrame) {
  const int width = display.Width(), height = display.Height();
  if (!display.Pixels() || width <= 0 || height <= 0) return std::nullopt;
  const size_t count = static_cast<size_t>(width) * height;
  incremental.assign(display.Pixels(), display.Pixels() + count);
  std::vector<CDisplay::SSpan> spans(height);
  for (int y = 0; y < height; ++y) spans[y] = display.Span(y);
  display.MarkAllDirty();
  drawFrame();
  const std::optional<SRect> difference =
      FirstDifference(incremental.data(), display.Pixels(), width, height);
  std::copy(incremental.begin(), incremental.end(), display.Pixels());
  display.SetSpans(spans);
  return difference;
}

#include "gfx/TransitionMask.h"

#include <algorithm>
#include <utility>

#include "gfx/Surface.h"

namespace {

// (c * k + s * (256 - k)) >> 8 for each colour channel, the screen's alpha kept. Red and blue are
// computed side by side in one 32-bit product, green in another: each channel's sum stays below
// 65536, so no channel carries into the next.
uint32_t Mix(uint32_t copy, uint32_t screen, uint32_t k) {
  const uint32_t j = 256 - k;
  const uint32_t redBlue = (((copy & 0xFF00FFu) * k + (screen & 0xFF00FFu) * j) >> 8) & 0xFF00FFu;
  const uint32_t green = (((copy & 0xFF00u) * k + (screen & 0xFF00u) * j) >> 8) & 0xFF00u;
  return (screen & 0xFF000000u) | redBlue | green;
}

}  // namespace

CTransitionMask::SThresholds CTransitionMask::Thresholds(bool negative, int32_t gradation, double e,
                                                         bool swapped) {
  const int32_t w = std::clamp(gradation, 0, 100) * 255 / 100 + 1;
  const int32_t t = static_cast<int32_t>((w + 256) * (1 - e));
  SThresholds r = negative ? SThresholds{255 - t, w - t + 255} : SThresholds{t, t - w};
  if (swapped) std::swap(r.p0, r.p1);
  return r;
}

void CTransitionMask::Blend(const SDrawTarget& screen, const uint32_t* copy, const CSurface& mask,
                            SThresholds t) {
  uint8_t table[256];
  const int32_t span = t.p1 - t.p0;
  for (int32_t v = 0; v < 256; ++v) {
    const int32_t k = span != 0 ? 255 * (v - t.p0) / span : (v >= t.p0 ? 255 : 0);
    table[v] = static_cast<uint8_t>(std::clamp(k, 0, 255));
  }
  const int32_t rows = std::min(screen.height, mask.Height());
  for (int32_t row = 0; row < rows; ++row) {
    int32_t left = 0;
    int32_t right = std::min(screen.width, mask.Width());
    screen.ClipRow(row, left, right);
    uint32_t* out = screen.Row(row);
    const uint32_t* saved = copy + static_cast<size_t>(row) * screen.width;
    const uint32_t* m = mask.Pixels() + static_cast<size_t>(row) * mask.Width();
    for (int32_t x = left; x < right; ++x) {
      const uint32_t k = table[m[x] >> 24];
      if (k > 252) {
        out[x] = saved[x];
      } else if (k >= 4) {
        out[x] = Mix(saved[x], out[x], k);
      }
    }
  }
}

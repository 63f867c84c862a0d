#include "gfx/ScreenEffectBlur.h"

#include <algorithm>

#include "gfx/Display.h"
#include "gfx/ScreenEffectNumber.h"

namespace {

// The snapshot with sample coordinates clamped to the screen.
struct SSampler {
  const uint32_t* pixels;
  int32_t w;
  int32_t h;
  uint32_t operator()(int32_t x, int32_t y) const {
    return pixels[static_cast<size_t>(std::clamp(y, 0, h - 1)) * w + std::clamp(x, 0, w - 1)];
  }
};

uint32_t Channel(uint32_t p, int shift) { return (p >> shift) & 255; }

// The weighted sum of samples per channel B, G, R, shifted right; the screen's alpha is kept.
template <size_t N>
uint32_t Combine(uint32_t screen, uint32_t screenWeight, const uint32_t (&samples)[N], uint32_t sampleWeight,
                 int shift) {
  uint32_t out = screen & 0xFF000000u;
  for (int c = 0; c < 24; c += 8) {
    uint32_t sum = 0;
    for (uint32_t s : samples) sum += Channel(s, c);
    out |= ((screenWeight * Channel(screen, c) + sampleWeight * sum) >> shift) << c;
  }
  return out;
}

}  // namespace

void CScreenEffectBlur::Take(const CDisplay& display) {
  snapshot.assign(display.Pixels(),
                  display.Pixels() + static_cast<size_t>(display.Width()) * display.Height());
  drawn.clear();
}

void CScreenEffectBlur::NextFrame() {
  if (!drawn.empty()) snapshot.swap(drawn);
  drawn.clear();
}

void CScreenEffectBlur::Draw(int32_t effect, int32_t level, const SEffectStrength& strength,
                             CDisplay& display) {
  const int32_t w = display.Width(), h = display.Height();
  if (snapshot.size() != static_cast<size_t>(w) * h) Take(display);
  const SSampler s{snapshot.data(), w, h};
  const double so = strength.overlay;
  const uint32_t hw = strength.goingOut ? static_cast<uint32_t>(256 * so) : 256;
  const uint32_t g = 256 - hw;
  const int32_t blurStep = static_cast<int32_t>(((8 << level) - 1) * so);
  const int32_t horzStep = static_cast<int32_t>(((16 << level) - 1) * so);
  const double k = 32 << level;
  const double fx = (w / 2) / (k * so + w / 2);
  const double fy = (h / 2) / (static_cast<double>(h) * k * so / w + h / 2);
  for (int32_t y = 0; y < h; ++y) {
    int32_t left = 0, right = w;
    display.ClipToDirty(y, left, right);
    uint32_t* row = display.Pixels() + static_cast<size_t>(y) * w;
    for (int32_t x = left; x < right; ++x) {
      uint32_t& p = row[x];
      if (effect == screeneffect::kBlur) {
        const uint32_t taps[4] = {s(x - blurStep, y), s(x + blurStep, y), s(x, y - blurStep),
                                  s(x, y + blurStep)};
        p = Combine(p, 4 * g, taps, hw, 10);
      } else if (effect == screeneffect::kBlurZoom) {
        const int32_t zx = w / 2 + static_cast<int32_t>((x - w / 2) * fx);
        const int32_t zy = h / 2 + static_cast<int32_t>((y - h / 2) * fy);
        const uint32_t taps[2] = {s(x, y), s(zx, zy)};
        p = Combine(p, 2 * g, taps, hw, 9);
      } else {
        const uint32_t taps[2] = {s(x - horzStep, y), s(x + horzStep, y)};
        p = Combine(p, 2 * g, taps, hw, 9);
      }
    }
  }
  drawn.assign(display.Pixels(), display.Pixels() + static_cast<size_t>(w) * h);
}

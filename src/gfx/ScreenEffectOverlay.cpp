#include "gfx/ScreenEffectOverlay.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "gfx/ScreenEffectNumber.h"
#include "gfx/ShapeDraw.h"
#include "gfx/Transition.h"

namespace {

using namespace screeneffect;

constexpr uint32_t kRgb = 0xFFFFFFu;

uint32_t WithAlpha(uint32_t colour, int32_t alpha) {
  return (colour & kRgb) | static_cast<uint32_t>(std::clamp(alpha, 0, 255)) << 24;
}

// Fills [a, b) of the wiped axis across the whole other axis.
void FillSpan(const SDrawTarget& t, bool rows, int32_t a, int32_t b, uint32_t colour) {
  if (a >= b) return;
  if (rows) {
    shapes::FillRect(t, 0, a, t.width, b, colour);
  } else {
    shapes::FillRect(t, a, 0, b, t.height, colour);
  }
}

}  // namespace

bool CScreenEffectOverlay::Draw(int32_t effect, uint32_t colour, const SEffectStrength& strength,
                                const SDrawTarget& target) {
  if (effect == kFade) {
    shapes::FillRect(target, 0, 0, target.width, target.height,
                     WithAlpha(colour, static_cast<int32_t>(255 * strength.overlay)));
  } else if (effect >= kWipeScrollUp && effect <= kWipeScrollRight) {
    DrawScrollWipe(effect, colour, strength, target);
  } else if (effect >= kWipeBlindUp && effect <= kWipeBlindRight) {
    DrawBlindWipe(effect, colour, strength, target);
  } else if (effect == kWipeSpot) {
    DrawSpot(colour, strength.overlay, target);
  } else if (effect == kMosaic) {
    DrawMosaic(strength.overlay, target);
  } else if (effect == kFlash || effect == kNegative) {
    uint8_t table[256];
    const double s = strength.overlay;
    for (int i = 0; i < 256; ++i) {
      const double v =
          effect == kFlash ? std::min(255.0, std::trunc(i * (1 + s))) : std::trunc((255 - 2 * i) * s + i);
      table[i] = static_cast<uint8_t>(std::clamp(v, 0.0, 255.0));
    }
    MapChannels(table, target);
  } else {
    return false;
  }
  return true;
}

void CScreenEffectOverlay::DrawScrollWipe(int32_t effect, uint32_t colour, const SEffectStrength& s,
                                          const SDrawTarget& t) {
  // The colour a sweeps in from one edge behind a soft edge a quarter of the screen wide.
  const uint32_t a = s.goingOut ? WithAlpha(colour, 0) : WithAlpha(colour, 255);
  const uint32_t b = s.goingOut ? WithAlpha(colour, 255) : WithAlpha(colour, 0);
  const bool rows = effect == kWipeScrollUp || effect == kWipeScrollDown;
  const bool fromStart = effect == kWipeScrollDown || effect == kWipeScrollRight;
  const int32_t size = rows ? t.height : t.width;
  const int32_t e3 = static_cast<int32_t>(1.25 * (size * s.progress));
  const int32_t e2 = e3 - size / 4;
  // Spans along the wiped axis: flat first colour, gradient, flat second colour.
  const int32_t s0 = fromStart ? e2 : size - e3;
  const int32_t s1 = fromStart ? e3 : size - e2;
  const uint32_t before = fromStart ? a : b;
  const uint32_t after = fromStart ? b : a;
  FillSpan(t, rows, 0, s0, before);
  FillSpan(t, rows, s1, size, after);
  if (s0 >= s1) return;
  if (rows) {
    shapes::DrawShadedRect(t, 0, static_cast<float>(s0), static_cast<float>(t.width), static_cast<float>(s1),
                           before, before, after, after);
  } else {
    shapes::DrawShadedRect(t, static_cast<float>(s0), 0, static_cast<float>(s1), static_cast<float>(t.height),
                           before, after, after, before);
  }
}

void CScreenEffectOverlay::DrawBlindWipe(int32_t effect, uint32_t colour, const SEffectStrength& s,
                                         const SDrawTarget& t) {
  const bool rows = effect == kWipeBlindUp || effect == kWipeBlindDown;
  const bool reversed = effect == kWipeBlindUp || effect == kWipeBlindLeft;
  const int32_t length =
      ((rows ? t.height : t.width) + CTransition::kBlindStrips - 1) / CTransition::kBlindStrips;
  for (int32_t i = 0; i < CTransition::kBlindStrips; ++i) {
    const auto [from, to] = CTransition::BlindStrip(i, length, s.progress, !s.goingOut, reversed);
    FillSpan(t, rows, from, to, colour);
  }
}

void CScreenEffectOverlay::DrawSpot(uint32_t colour, double strength, const SDrawTarget& t) {
  const double outer = (1 - strength) * t.width;
  shapes::DrawIris(t, colour, std::max(0.0, std::trunc(outer - t.width / 4)), outer);
}

void CScreenEffectOverlay::DrawMosaic(double strength, const SDrawTarget& t) {
  const double cell = 1 + 50 * strength;
  const int64_t w = t.width, h = t.height;
  const int64_t nx = std::max<int64_t>(1, static_cast<int64_t>(w / cell));
  const int64_t ny = std::max<int64_t>(1, static_cast<int64_t>(h / cell));
  std::vector<int32_t> columns(static_cast<size_t>(w));
  for (int64_t x = 0; x < w; ++x)
    columns[static_cast<size_t>(x)] = static_cast<int32_t>(w * (x * nx / w) / nx);
  // Bottom to top and right to left: every pixel reads one above or left of it, not yet overwritten.
  for (int64_t y = h - 1; y >= 0; --y) {
    int32_t left = 0, right = t.width;
    t.ClipRow(static_cast<int>(y), left, right);
    uint32_t* row = t.Row(static_cast<int>(y));
    const uint32_t* from = t.Row(static_cast<int>(h * (y * ny / h) / ny));
    for (int32_t x = right - 1; x >= left; --x) row[x] = from[columns[static_cast<size_t>(x)]];
  }
}

void CScreenEffectOverlay::MapChannels(const uint8_t (&table)[256], const SDrawTarget& t) {
  for (int y = 0; y < t.height; ++y) {
    int32_t left = 0, right = t.width;
    t.ClipRow(y, left, right);
    uint32_t* row = t.Row(y);
    for (int32_t x = left; x < right; ++x) {
      const uint32_t p = row[x];
      row[x] = (p & 0xFF000000u) | uint32_t{table[(p >> 16) & 255]} << 16 |
               uint32_t{table[(p >> 8) & 255]} << 8 | table[p & 255];
    }
  }
}

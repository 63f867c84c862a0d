#include "ui/FontSet.h"

#include <algorithm>
#include <cstdint>

bool CFontSet::Create(CDisplay& display, IFontRasterizer& rasterizer, const std::string& faceName, int base) {
  baseSize = base;
  bool ok = true;
  for (int i = 0; i < kCount; ++i) {
    // In 64 bits: a base size from the settings may be near the 32-bit limit; the font clamps it.
    const int64_t size = std::clamp<int64_t>(int64_t{base} * kPercent[i] / 100, 0, INT32_MAX);
    ok = fonts[i].Create(display, rasterizer, faceName, static_cast<int>(size)) && ok;
  }
  CTextFont::LoadEffectSettings();
  return ok;
}

int CFontSet::SizeClass(int32_t percent) {
  for (int i = 0; i < kCount - 1; ++i)
    if (percent <= kPercent[i]) return i;
  return kCount - 1;
}

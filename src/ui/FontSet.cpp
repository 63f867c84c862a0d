#include "ui/FontSet.h"

bool CFontSet::Create(CDisplay& display, IFontRasterizer& rasterizer, const std::string& faceName, int base) {
  baseSize = base;
  bool ok = true;
  for (int i = 0; i < kCount; ++i)
    ok = fonts[i].Create(display, rasterizer, faceName, base * kPercent[i] / 100) && ok;
  CTextFont::LoadEffectSettings();
  return ok;
}

int CFontSet::SizeClass(int32_t percent) {
  for (int i = 0; i < kCount - 1; ++i)
    if (percent <= kPercent[i]) return i;
  return kCount - 1;
}

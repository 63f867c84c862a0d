#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "ui/TextFont.h"

class CDisplay;
class IFontRasterizer;

// The engine's five text fonts of one face at 50, 75, 100, 150 and 200 percent of the base font
// size. Font 2 is the normal font (names, choices, menus); font 0 also draws ruby.
class CFontSet {
 public:
  static constexpr int kCount = 5;
  static constexpr int kNormal = 2;
  static constexpr int kRuby = 0;
  static constexpr std::array<int32_t, kCount> kPercent = {50, 75, 100, 150, 200};

  // (Re)creates the five fonts with empty caches and takes the text effect from the settings. False
  // when the face could not be opened (the fonts then draw blank glyphs).
  bool Create(CDisplay& display, IFontRasterizer& rasterizer, const std::string& faceName, int baseSize);
  // The font of a size class: at most 50 percent font 0, 75 font 1, 100 font 2, 150 font 3, else 4.
  static int SizeClass(int32_t percent);
  CTextFont& ForSize(int32_t percent) { return fonts[SizeClass(percent)]; }
  CTextFont& Font(int index) { return fonts[index]; }
  int BaseSize() const { return baseSize; }

 private:
  std::array<CTextFont, kCount> fonts;
  int baseSize = 0;
};

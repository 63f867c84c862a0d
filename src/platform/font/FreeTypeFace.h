#pragma once
#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>

#include "platform/FontRasterizer.h"

// One FreeType face at one cell height. The glyph's pen starts at the cell's left edge and the
// baseline lies where the face's ascent, scaled so that ascent and descent fill the cell, ends.
// Faces whose ascent and descent exceed the em square are placed so their glyphs stay inside.
class CFreeTypeFace : public IFontRasterizer::IFace {
 public:
  // Takes the library shared with the rasteriser and an opened face at the given cell height.
  CFreeTypeFace(std::shared_ptr<FT_LibraryRec_> library, FT_Face face, int height);
  ~CFreeTypeFace() override;
  CFreeTypeFace(const CFreeTypeFace&) = delete;
  CFreeTypeFace& operator=(const CFreeTypeFace&) = delete;

  void Render(uint16_t code, uint8_t* coverage, int width, int height) override;

  // The Unicode code point of a Shift JIS character code; 0 for a code that is no character.
  static char32_t ToCodePoint(uint16_t code);

 private:
  // The top of the em square above the baseline in font units, centred on an ideograph; false for a
  // face without ideographs.
  bool IdeographicTop(long& top) const;
  void CopyBitmap(const FT_Bitmap& bitmap, int left, int top, uint8_t* coverage, int width, int height) const;

  std::shared_ptr<FT_LibraryRec_> library;
  FT_Face face;
  int baseline = 0;
};

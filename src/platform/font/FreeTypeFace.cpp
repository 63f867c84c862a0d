#include "platform/font/FreeTypeFace.h"

#include <algorithm>
#include <cstring>
#include <string>

#include FT_OUTLINE_H

#include "io/ShiftJis.h"

CFreeTypeFace::CFreeTypeFace(std::shared_ptr<FT_LibraryRec_> library, FT_Face face, int height)
    : library(std::move(library)), face(face) {
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(height));
  // Japanese faces are designed so that ascent and descent together fill the em square, which is
  // the cell; faces with other metrics are scaled to the same rule so the glyph stays inside.
  const long ascent = face->ascender;
  const long span = face->ascender - face->descender;
  const long em = face->units_per_EM;
  baseline = span > 0 ? static_cast<int>((static_cast<long>(height) * ascent + span / 2) / span) : height;
  if (em <= 0 || span <= em) return;
  // Ascent and descent reach beyond the em square (as in Noto Sans CJK): placed by them, the
  // ideographs would lose their tops. A face with ideographs puts its em square, centred on an
  // ideograph, into the cell; any other face is made smaller until ascent and descent fit.
  long top = 0;
  if (IdeographicTop(top)) {
    baseline = static_cast<int>((static_cast<long>(height) * top + em / 2) / em);
    return;
  }
  const long size = std::max(1L, static_cast<long>(height) * em / span);
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size));
  baseline = static_cast<int>((size * ascent + em / 2) / em);
}

bool CFreeTypeFace::IdeographicTop(long& top) const {
  const FT_UInt index = FT_Get_Char_Index(face, U'国');
  if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE) != 0) return false;
  FT_BBox box;
  FT_Outline_Get_CBox(&face->glyph->outline, &box);
  top = (box.yMin + box.yMax) / 2 + face->units_per_EM / 2;
  return box.yMax > box.yMin;
}

CFreeTypeFace::~CFreeTypeFace() { FT_Done_Face(face); }

char32_t CFreeTypeFace::ToCodePoint(uint16_t code) {
  std::string bytes(1, static_cast<char>(code & 0xFF));
  if (code >= 256) bytes += static_cast<char>(code >> 8);
  const std::string utf8 = sjis::ToUtf8(bytes);
  const auto* u = reinterpret_cast<const unsigned char*>(utf8.data());
  char32_t point = 0;
  if (utf8.size() == 1) {
    point = u[0];
  } else if (utf8.size() == 2) {
    point = (u[0] & 0x1Fu) << 6 | (u[1] & 0x3Fu);
  } else if (utf8.size() == 3) {
    point = (u[0] & 0x0Fu) << 12 | (u[1] & 0x3Fu) << 6 | (u[2] & 0x3Fu);
  }
  // A byte sequence that is no Shift JIS character converts to the replacement character.
  return point == 0xFFFD ? 0 : point;
}

void CFreeTypeFace::Render(uint16_t code, uint8_t* coverage, int width, int height) {
  std::memset(coverage, 0, static_cast<size_t>(width) * height);
  const char32_t point = ToCodePoint(code);
  if (point < 0x20) return;
  const FT_UInt index = FT_Get_Char_Index(face, point);
  if (index == 0) return;
  // Outlines only: embedded bitmaps of small sizes are one bit deep and would lose the smoothing.
  if (FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP) != 0) return;
  if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) return;
  const FT_GlyphSlot slot = face->glyph;
  // A glyph reaching above the cell (an accent over a capital) is moved down rather than cut.
  CopyBitmap(slot->bitmap, slot->bitmap_left, std::max(0, baseline - slot->bitmap_top), coverage, width,
             height);
}

void CFreeTypeFace::CopyBitmap(const FT_Bitmap& bitmap, int left, int top, uint8_t* coverage, int width,
                               int height) const {
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return;
  const int rows = static_cast<int>(bitmap.rows);
  const int columns = static_cast<int>(bitmap.width);
  for (int y = std::max(0, -top); y < rows && top + y < height; ++y) {
    const uint8_t* source = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
    uint8_t* row = coverage + static_cast<size_t>(top + y) * width;
    for (int x = std::max(0, -left); x < columns && left + x < width; ++x) row[left + x] = source[x];
  }
}

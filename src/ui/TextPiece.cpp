#include "ui/TextPiece.h"

uint32_t CTextPiece::ColourFromColorRef(int32_t colorRef) {
  if (colorRef == -1) return 0;
  const auto value = static_cast<uint32_t>(colorRef);
  const uint32_t red = value & 0xFF;
  const uint32_t green = (value >> 8) & 0xFF;
  const uint32_t blue = (value >> 16) & 0xFF;
  return 0xFF000000u | red << 16 | green << 8 | blue;
}

CTextPiece CTextPiece::FromScript(const std::string& text, const std::string& ruby, int32_t size,
                                  int32_t colorRef) {
  return CTextPiece(text, ruby, size, ColourFromColorRef(colorRef));
}

#pragma once
#include <cstdint>
#include <string>

// One unit of message text as the scenario delivers it, as a rule one character: its Shift JIS
// text (a lone tab, carriage return or line feed is a control piece), the ruby drawn above it, its
// size in percent of the base font size and its colour (0 for the page's default colour).
class CTextPiece {
 public:
  CTextPiece() = default;
  CTextPiece(std::string text, std::string ruby, int32_t size, uint32_t colour)
      : text(std::move(text)), ruby(std::move(ruby)), size(size), colour(colour) {}
  // A piece from the script: the colour is a Windows COLORREF (blue, green, red from the high to
  // the low byte) or -1 for the default colour.
  static CTextPiece FromScript(const std::string& text, const std::string& ruby, int32_t size,
                               int32_t colorRef);
  // The opaque 0xAARRGGBB colour of a COLORREF; 0 (the default colour) for -1.
  static uint32_t ColourFromColorRef(int32_t colorRef);

  bool IsLineFeed() const { return text == "\n"; }
  // A lone tab or carriage return: dropped by the layout.
  bool IsIgnoredControl() const { return text == "\t" || text == "\r"; }
  bool operator==(const CTextPiece&) const = default;

  std::string text;
  std::string ruby;
  int32_t size = 100;
  uint32_t colour = 0;
};

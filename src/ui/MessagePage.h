#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Geometry.h"
#include "ui/TextPiece.h"

class CFontSet;

// A page of message text: the speaker's name, the voice that played with it and 32 lines of laid
// out pieces. The current page of the message window and each backlog entry are pages.
class CMessagePage {
 public:
  static constexpr int kLines = 32;
  using CLine = std::vector<CTextPiece>;

  bool HasText() const;
  void ClearLines();
  // A reading and the text it is drawn above.
  struct SRuby {
    std::string base;
    std::string reading;
    bool operator==(const SRuby&) const = default;
  };

  // The pieces' texts, line by line, joined with "\n" (trailing empty lines left out); withRuby puts
  // each reading in parentheses after its base text, as the page is copied for readers: "漢字(かんじ)".
  std::string Text(bool withRuby = false) const;
  // Every piece with a reading, in reading order.
  std::vector<SRuby> Ruby() const;

  // The height a line takes: pitch x its largest piece size / 100 (0 for an empty line).
  static int32_t LineAdvance(const CLine& line, int32_t pitch);
  // The top of line index below top: the advances of the lines before it.
  int32_t LineTop(int index, int32_t top, int32_t pitch) const;
  // The width of a line's pieces, each measured with the font of its size.
  static int32_t LineWidth(const CLine& line, CFontSet& fonts);

  // Draws the lines from (left, top) in two passes over the whole page, the text effect of every
  // piece before the text of any, pieces with colour 0 in the default colour, ruby centred above
  // its piece with font 0.
  void Draw(CFontSet& fonts, int32_t left, int32_t top, int32_t pitch, uint32_t defaultColour) const;

  std::string speaker;
  std::string voice;
  std::array<CLine, kLines> lines;

 private:
  void DrawPass(CFontSet& fonts, int32_t left, int32_t top, int32_t pitch, uint32_t defaultColour) const;
};

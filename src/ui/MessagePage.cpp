#include "ui/MessagePage.h"

#include <algorithm>

#include "ui/FontSet.h"

bool CMessagePage::HasText() const {
  return std::any_of(lines.begin(), lines.end(), [](const CLine& line) { return !line.empty(); });
}

void CMessagePage::ClearLines() {
  for (CLine& line : lines) line.clear();
}

std::string CMessagePage::Text(bool withRuby) const {
  int last = kLines - 1;
  while (last >= 0 && lines[last].empty()) --last;
  std::string text;
  for (int i = 0; i <= last; ++i) {
    if (i > 0) text += '\n';
    for (const CTextPiece& piece : lines[i]) {
      text += piece.text;
      if (withRuby && !piece.ruby.empty()) text += "(" + piece.ruby + ")";
    }
  }
  return text;
}

std::vector<CMessagePage::SRuby> CMessagePage::Ruby() const {
  std::vector<SRuby> ruby;
  for (const CLine& line : lines)
    for (const CTextPiece& piece : line)
      if (!piece.ruby.empty()) ruby.push_back({piece.text, piece.ruby});
  return ruby;
}

int32_t CMessagePage::LineAdvance(const CLine& line, int32_t pitch) {
  int32_t largest = 0;
  for (const CTextPiece& piece : line) largest = std::max(largest, piece.size);
  return static_cast<int32_t>(static_cast<int64_t>(pitch) * largest / 100);
}

int32_t CMessagePage::LineTop(int index, int32_t top, int32_t pitch) const {
  int32_t y = top;
  for (int i = 0; i < index && i < kLines; ++i) y += LineAdvance(lines[i], pitch);
  return y;
}

int32_t CMessagePage::LineWidth(const CLine& line, CFontSet& fonts) {
  int32_t width = 0;
  for (const CTextPiece& piece : line) width += fonts.ForSize(piece.size).TextWidth(piece.text);
  return width;
}

void CMessagePage::Draw(CFontSet& fonts, int32_t left, int32_t top, int32_t pitch,
                        uint32_t defaultColour) const {
  const int previousMask = CTextFont::PassMask();
  CTextFont::SetPassMask(previousMask | CTextFont::kSkipTextPass);
  DrawPass(fonts, left, top, pitch, defaultColour);
  CTextFont::SetPassMask(previousMask | CTextFont::kSkipEffectPass);
  DrawPass(fonts, left, top, pitch, defaultColour);
  CTextFont::SetPassMask(previousMask);
}

void CMessagePage::DrawPass(CFontSet& fonts, int32_t left, int32_t top, int32_t pitch,
                            uint32_t defaultColour) const {
  int32_t y = top;
  for (const CLine& line : lines) {
    int32_t x = left;
    for (const CTextPiece& piece : line) {
      CTextFont& font = fonts.ForSize(piece.size);
      const uint32_t colour = piece.colour != 0 ? piece.colour : defaultColour;
      const int32_t width = font.TextWidth(piece.text);
      font.DrawText(x, y, piece.text, colour);
      if (!piece.ruby.empty()) {
        CTextFont& ruby = fonts.Font(CFontSet::kRuby);
        ruby.DrawText(x - (ruby.TextWidth(piece.ruby) - width) / 2, y - ruby.Size(), piece.ruby, colour);
      }
      x += width;
    }
    y += LineAdvance(line, pitch);
  }
}

#include "modes/MapMessage.h"

#include <algorithm>
#include <utility>

#include "ui/TextFont.h"

void CMapMessage::Set(std::string message) {
  text = std::move(message);
  clock = 0;
}

void CMapMessage::Advance(int32_t ticks) {
  if (ticks > 0) clock = std::min(Length(), clock + ticks);
}

void CMapMessage::Confirm() {
  if (IsComplete())
    Clear();
  else
    clock = Length();
}

std::vector<std::string> CMapMessage::VisibleLines(std::string_view text, int32_t bytes) {
  std::vector<std::string> lines(1);
  const size_t limit = static_cast<size_t>(std::clamp<int64_t>(bytes, 0, static_cast<int64_t>(text.size())));
  for (size_t pos = 0; pos < limit;) {
    size_t length = 0;
    CTextFont::NextCharacter(text, pos, length);
    length = std::max<size_t>(length, 1);
    if (pos + length > limit) break;
    if (text[pos] == '/')
      lines.emplace_back();
    else
      lines.back().append(text.substr(pos, length));
    pos += length;
  }
  return lines;
}

void CMapMessage::Draw(CTextFont& font, const SRect& rect, std::string_view text, int32_t bytes,
                       uint32_t colour) {
  const int pitch = font.Size() * 4 / 3;
  int top = rect.top;
  for (const std::string& line : VisibleLines(text, bytes)) {
    if (!line.empty()) font.DrawText(rect.left, top, line, colour);
    top += pitch;
  }
}

#include "ui/TextInputBuffer.h"

#include <algorithm>

#include "io/ShiftJis.h"

namespace {

// The byte length of the UTF-8 sequence starting at pos; a stray byte counts as one (and then does
// not convert).
size_t Utf8Length(std::string_view text, size_t pos) {
  const unsigned char c = static_cast<unsigned char>(text[pos]);
  const size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
  return std::min(n, text.size() - pos);
}

// One typed character in Shift JIS; empty when Shift JIS cannot hold it or it is a control
// character (a pasted tab or line end has no place in a one-line field).
std::string ConvertCharacter(std::string_view utf8) {
  const unsigned char c = static_cast<unsigned char>(utf8[0]);
  if (c < 0x20 || c == 0x7F) return {};
  bool ok = false;
  std::string converted = sjis::FromUtf8(utf8, &ok);
  return ok ? converted : std::string();
}

}  // namespace

size_t CTextInputBuffer::CharLength(std::string_view text, size_t pos) {
  return sjis::IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

size_t CTextInputBuffer::PreviousChar(std::string_view text, size_t pos) {
  size_t start = 0;
  for (size_t i = 0; i < pos; i += CharLength(text, i)) start = i;
  return start;
}

void CTextInputBuffer::Reset(const std::string& initial, size_t limit) {
  maxBytes = limit;
  text.clear();
  for (size_t i = 0; i < initial.size();) {
    const size_t n = CharLength(initial, i);
    if (text.size() + n > maxBytes) break;
    text.append(initial, i, n);
    i += n;
  }
  caret = text.size();
  allSelected = !text.empty();
  composition.clear();
  compositionCaret = 0;
}

void CTextInputBuffer::DropSelection() {
  if (!allSelected) return;
  text.clear();
  caret = 0;
  allSelected = false;
}

bool CTextInputBuffer::Type(std::string_view utf8) {
  composition.clear();
  compositionCaret = 0;
  if (utf8.empty()) return true;
  DropSelection();
  bool all = true;
  for (size_t i = 0; i < utf8.size();) {
    const size_t n = Utf8Length(utf8, i);
    const std::string character = ConvertCharacter(utf8.substr(i, n));
    i += n;
    if (character.empty()) {
      all = false;
      continue;
    }
    if (text.size() + character.size() > maxBytes) return false;
    text.insert(caret, character);
    caret += character.size();
  }
  return all;
}

void CTextInputBuffer::Backspace() {
  if (allSelected) return DropSelection();
  if (caret == 0) return;
  const size_t start = PreviousChar(text, caret);
  text.erase(start, caret - start);
  caret = start;
}

void CTextInputBuffer::Delete() {
  if (allSelected) return DropSelection();
  if (caret < text.size()) text.erase(caret, CharLength(text, caret));
}

void CTextInputBuffer::MoveLeft() {
  if (allSelected) {
    allSelected = false;
    caret = 0;
  } else if (caret > 0) {
    caret = PreviousChar(text, caret);
  }
}

void CTextInputBuffer::MoveRight() {
  if (allSelected) {
    allSelected = false;
    caret = text.size();
  } else if (caret < text.size()) {
    caret += CharLength(text, caret);
  }
}

void CTextInputBuffer::MoveHome() {
  allSelected = false;
  caret = 0;
}

void CTextInputBuffer::MoveEnd() {
  allSelected = false;
  caret = text.size();
}

void CTextInputBuffer::SetComposition(std::string_view utf8, int32_t cursor) {
  composition.clear();
  compositionCaret = 0;
  if (utf8.empty()) return;
  // Composing replaces a selection as typing does.
  DropSelection();
  int32_t characters = 0;
  for (size_t i = 0; i < utf8.size(); ++characters) {
    if (characters == cursor) compositionCaret = composition.size();
    const size_t n = Utf8Length(utf8, i);
    composition += sjis::FromUtf8(utf8.substr(i, n));
    i += n;
  }
  if (cursor >= characters) compositionCaret = composition.size();
}

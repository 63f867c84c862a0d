#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Geometry.h"

class CTextFont;

// The message of the map screen: text whose lines are separated by "/", revealed one byte per tick
// from the moment it is set. A message is shown while it is not empty.
class CMapMessage {
 public:
  void Set(std::string message);
  void Clear() { Set(std::string()); }
  bool IsShown() const { return !text.empty(); }
  bool IsComplete() const { return clock >= Length(); }
  // The byte count of the whole text, separators included.
  int32_t Length() const { return static_cast<int32_t>(text.size()); }
  int32_t Clock() const { return clock; }
  void Advance(int32_t ticks);
  // A click or key: a message still appearing is shown whole; a whole one is cleared.
  void Confirm();
  const std::string& Text() const { return text; }

  // The lines of text as far as its first bytes go: a two-byte character is never split, so it
  // appears only once both of its bytes are within the count.
  static std::vector<std::string> VisibleLines(std::string_view text, int32_t bytes);
  // Draws those lines into a rectangle: each starts at its left, the first at its top and each next
  // one lower by the font size x 4 / 3.
  static void Draw(CTextFont& font, const SRect& rect, std::string_view text, int32_t bytes, uint32_t colour);

 private:
  std::string text;
  int32_t clock = 0;
};

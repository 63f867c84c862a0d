#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Geometry.h"

class CTextFont;
struct SDrawTarget;

// Rows of menu texts in a rectangle, one row height each, the block centred vertically and every
// text centred horizontally, with the highlight bar under the selected row: the text list of the
// system menu and the "はい"/"いいえ" rows of a prompt.
class CMenuRows {
 public:
  CMenuRows(const SRect& area, int count, int32_t rowHeight)
      : area(area), count(count), rowHeight(rowHeight) {}

  // The row whose band contains the point, or -1 (also for an empty area).
  int RowAt(int32_t x, int32_t y) const;
  // The band of a row across the area's width.
  SRect RowRect(int row) const;
  void Draw(const SDrawTarget& target, CTextFont& font, const std::vector<std::string>& texts, int selected,
            uint32_t colour) const;
  // Where a text of that many bytes starts when centred between left and right: the fixed-width
  // faces games use draw every byte half the font size wide.
  static int32_t CentredLeft(int32_t left, int32_t right, int32_t fontSize, size_t bytes);

 private:
  int32_t Top() const;

  SRect area;
  int count;
  int32_t rowHeight;
};

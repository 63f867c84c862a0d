#include "ui/MenuRows.h"

#include "ui/HighlightBar.h"
#include "ui/TextFont.h"

int32_t CMenuRows::Top() const {
  return static_cast<int32_t>((int64_t{area.top} + area.bottom - int64_t{rowHeight} * count) / 2);
}

int CMenuRows::RowAt(int32_t x, int32_t y) const {
  if (area.IsEmpty() || rowHeight <= 0 || x < area.left || x >= area.right) return -1;
  const int32_t top = Top();
  if (y < top) return -1;
  const int64_t row = (int64_t{y} - top) / rowHeight;
  return row < count ? static_cast<int>(row) : -1;
}

SRect CMenuRows::RowRect(int row) const {
  const int32_t top = Top() + row * rowHeight;
  return {area.left, top, area.right, top + rowHeight};
}

int32_t CMenuRows::CentredLeft(int32_t left, int32_t right, int32_t fontSize, size_t bytes) {
  return static_cast<int32_t>((int64_t{left} + right) / 2 -
                              int64_t{fontSize} * static_cast<int64_t>(bytes) / 4);
}

void CMenuRows::Draw(const SDrawTarget& target, CTextFont& font, const std::vector<std::string>& texts,
                     int selected, uint32_t colour) const {
  if (area.IsEmpty()) return;
  for (int row = 0; row < count && row < static_cast<int>(texts.size()); ++row) {
    const SRect band = RowRect(row);
    if (row == selected) CHighlightBar::Draw(target, band.left, band.top, band.Width(), rowHeight);
    font.DrawText(CentredLeft(band.left, band.right, font.Size(), texts[row].size()),
                  band.top + (rowHeight - font.Size()) / 2, texts[row], colour);
  }
}

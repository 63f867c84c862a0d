#include "modes/TrackList.h"

#include <algorithm>

#include "gfx/Display.h"
#include "gfx/DrawTarget.h"
#include "gfx/ShapeDraw.h"
#include "ui/TextFont.h"

void CTrackList::Setup(const SRect& rect, int32_t height, int32_t entries) {
  area = rect;
  rowHeight = std::max(height, 1);
  count = std::max(entries, 0);
  first = 0;
  dragging = false;
}

int32_t CTrackList::Rows() const { return std::max(1, area.Height() / rowHeight); }

int32_t CTrackList::LastFirst() const { return std::max(count - Rows(), 0); }

int32_t CTrackList::TrackLength() const { return rowHeight * (Rows() - 2); }

void CTrackList::Reveal(int32_t entry) {
  first = std::min(first, entry);
  if (count > Rows()) first = std::max(first, entry + 1 - Rows());
  first = std::clamp(first, 0, LastFirst());
}

SRect CTrackList::ScrollBar() const {
  if (!HasScrollBar()) return {};
  return {area.right - rowHeight, area.top, area.right, area.top + Rows() * rowHeight};
}

int32_t CTrackList::EntryAt(int32_t x, int32_t y) const {
  const int32_t right = HasScrollBar() ? area.right - rowHeight : area.right;
  if (x < area.left || x >= right || y < area.top || y >= area.top + Rows() * rowHeight) return -1;
  const int32_t entry = first + (y - area.top) / rowHeight;
  return entry < count ? entry : -1;
}

SRect CTrackList::RowRect(int32_t entry) const {
  const int32_t row = entry - first;
  if (!Exists() || row < 0 || row >= Rows() || entry >= count) return {};
  const int32_t top = area.top + row * rowHeight;
  return {area.left, top, area.right, top + rowHeight};
}

std::pair<int32_t, int32_t> CTrackList::Thumb() const {
  const int64_t track = TrackLength();
  const int32_t top = area.top + rowHeight;
  return {top + static_cast<int32_t>(first * track / count),
          top + static_cast<int32_t>((int64_t{first} + Rows()) * track / count)};
}

bool CTrackList::PressScrollBar(int32_t x, int32_t y) {
  if (!ScrollBar().Contains(x, y)) return false;
  const int32_t bottom = area.top + Rows() * rowHeight;
  if (y < area.top + rowHeight) {
    first = std::max(first - 1, 0);
  } else if (y >= bottom - rowHeight) {
    first = std::min(first + 1, LastFirst());
  } else if (TrackLength() > 0) {
    const auto [thumbTop, thumbBottom] = Thumb();
    if (y < thumbTop) {
      first = first < Rows() ? 0 : first - Rows() + 1;
    } else if (y < thumbBottom) {
      dragging = true;
      dragFirst = first;
      dragY = y;
    } else {
      first = std::min(first + Rows() - 1, LastFirst());
    }
  }
  return true;
}

bool CTrackList::Drag(int32_t y) {
  if (!dragging || TrackLength() <= 0) return false;
  const int32_t before = first;
  // The thumb moves with the cursor: the track stands for all entries.
  const int64_t moved = int64_t{count} * (y - dragY) / TrackLength();
  first = static_cast<int32_t>(std::clamp<int64_t>(dragFirst + moved, 0, LastFirst()));
  return first != before;
}

void CTrackList::Draw(CDisplay& display, CTextFont& font, const std::vector<std::string>& texts,
                      int32_t selected) const {
  if (!Exists()) return;
  const SDrawTarget screen = SDrawTarget::Screen(display);
  const int32_t textRight = HasScrollBar() ? area.right - rowHeight : area.right;
  for (int32_t row = 0; row < Rows() && first + row < count; ++row) {
    const int32_t entry = first + row;
    const int32_t top = area.top + row * rowHeight;
    if (entry == selected) shapes::FillRect(screen, area.left, top, textRight, top + rowHeight, kSelectedRow);
    if (entry < static_cast<int32_t>(texts.size()))
      font.DrawText(area.left, top + (rowHeight - font.Size()) / 2, texts[static_cast<size_t>(entry)],
                    0xFFFFFFFF);
  }
  if (!HasScrollBar()) return;
  const SRect bar = ScrollBar();
  shapes::FillRect(screen, bar.left, bar.top, bar.right, bar.bottom, kStrip);
  shapes::FillRect(screen, bar.left, bar.top, bar.right, bar.top + rowHeight, kBox);
  shapes::FillRect(screen, bar.left, bar.bottom - rowHeight, bar.right, bar.bottom, kBox);
  if (TrackLength() > 0) {
    const auto [thumbTop, thumbBottom] = Thumb();
    shapes::FillRect(screen, bar.left, thumbTop, bar.right, thumbBottom, kBox);
  }
  const int32_t arrowX = bar.left + (rowHeight - font.Size()) / 2;
  font.DrawText(arrowX, bar.top + (rowHeight - font.Size()) / 2, "▲", 0xFF000000);
  font.DrawText(arrowX, bar.bottom - rowHeight + (rowHeight - font.Size()) / 2, "▼", 0xFF000000);
}

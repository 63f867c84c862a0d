#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Geometry.h"

class CDisplay;
class CTextFont;

// The music room's track list: one row per entry in the rectangle of its control, a scroll bar at
// the right edge when there are more entries than rows (arrow boxes, a track with a thumb that can
// be dragged), and the first entry shown.
class CTrackList {
 public:
  static constexpr uint32_t kSelectedRow = 0x80FFFFFF;
  static constexpr uint32_t kStrip = 0x80C0C0C0;
  static constexpr uint32_t kBox = 0xFFC0C0C0;

  // The list's rectangle (empty: no list), the row height and the number of entries.
  void Setup(const SRect& area, int32_t rowHeight, int32_t entries);
  bool Exists() const { return !area.IsEmpty(); }

  int32_t Rows() const;
  int32_t First() const { return first; }
  int32_t RowHeight() const { return rowHeight; }
  bool HasScrollBar() const { return count > Rows(); }
  // Scrolls the least so the entry is in view.
  void Reveal(int32_t entry);

  // The entry of the row under the point (left of the scroll bar), or -1.
  int32_t EntryAt(int32_t x, int32_t y) const;
  // The screen rectangle of an entry's row (empty when it is not in view).
  SRect RowRect(int32_t entry) const;

  // A press on the scroll bar: scrolls by a row (arrow boxes) or a page (the track beside the thumb),
  // or starts dragging the thumb. False when the point is not on the bar.
  bool PressScrollBar(int32_t x, int32_t y);
  bool IsDragging() const { return dragging; }
  // While dragging: the thumb follows the cursor. True when the first entry changed.
  bool Drag(int32_t y);
  void EndDrag() { dragging = false; }

  // The visible rows (texts from first on; the selected row lit) and the scroll bar.
  void Draw(CDisplay& display, CTextFont& font, const std::vector<std::string>& texts,
            int32_t selected) const;

 private:
  int32_t LastFirst() const;
  int32_t TrackLength() const;
  SRect ScrollBar() const;
  // The thumb's top and bottom on the screen.
  std::pair<int32_t, int32_t> Thumb() const;

  SRect area;
  int32_t rowHeight = 1;
  int32_t count = 0;
  int32_t first = 0;
  bool dragging = false;
  int32_t dragFirst = 0;
  int32_t dragY = 0;
};

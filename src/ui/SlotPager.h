#pragma once
#include <cstdint>
#include <vector>

// The selection of the save and load screens over the slots, page by page. A page holds
// perPage slots; the page of slot s is s / perPage and its row s mod perPage. When the layout has
// page controls ("ページ0", "ページ1", ...) only the pages with a control can be reached by moving;
// without them every page up to the slot count can.
class CSlotPager {
 public:
  // pageControls[t] tells whether the layout has a control for page t; empty means none at all.
  CSlotPager(int32_t slotCount, int32_t perPage, int32_t selection, std::vector<bool> pageControls);

  int32_t Selection() const { return selection; }
  int32_t PerPage() const { return perPage; }
  int32_t Page() const { return selection / perPage; }
  int32_t Row() const { return selection % perPage; }
  int32_t PageBase() const { return selection - selection % perPage; }
  // The slot in a row of the current page; -1 past the last slot.
  int32_t SlotAt(int32_t row) const;

  bool HasPreviousPage() const { return selection >= perPage; }
  bool HasNextPage() const;

  // Each returns true when the selection changed.
  bool Up();
  bool Down();
  bool PreviousPage();
  bool NextPage();
  // The same row on page t, when that slot exists.
  bool SelectPage(int32_t page);
  // A row of the current page, when its slot exists.
  bool SelectRow(int32_t row);

 private:
  bool IsPageReachable(int32_t page) const;
  bool MoveTo(int32_t slot);

  int32_t slotCount;
  int32_t perPage;
  int32_t selection;
  std::vector<bool> pageControls;
};

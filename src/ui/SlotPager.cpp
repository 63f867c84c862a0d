#include "ui/SlotPager.h"

#include <algorithm>
#include <utility>

CSlotPager::CSlotPager(int32_t slotCount, int32_t perPage, int32_t selection, std::vector<bool> pageControls)
    : slotCount(std::max(slotCount, 0)),
      perPage(std::max(perPage, 1)),
      // The last slot used may lie beyond a slot count lowered since; the first slot is shown then.
      selection(selection >= 0 && selection < slotCount ? selection : 0),
      pageControls(std::move(pageControls)) {}

int32_t CSlotPager::SlotAt(int32_t row) const {
  const int32_t slot = PageBase() + row;
  return row >= 0 && row < perPage && slot < slotCount ? slot : -1;
}

bool CSlotPager::IsPageReachable(int32_t page) const {
  if (pageControls.empty()) return true;
  return page >= 0 && page < static_cast<int32_t>(pageControls.size()) && pageControls[page];
}

bool CSlotPager::HasNextPage() const {
  return selection + perPage < slotCount && IsPageReachable(Page() + 1);
}

bool CSlotPager::MoveTo(int32_t slot) {
  if (slot == selection) return false;
  selection = slot;
  return true;
}

bool CSlotPager::Up() { return selection > 0 && MoveTo(selection - 1); }

bool CSlotPager::Down() {
  const int32_t next = selection + 1;
  if (next >= slotCount) return false;
  // Within the first page the selection always moves; into a later page only when it is reachable.
  if (next >= perPage && !IsPageReachable(next / perPage)) return false;
  return MoveTo(next);
}

bool CSlotPager::PreviousPage() { return HasPreviousPage() && MoveTo(selection - perPage); }

bool CSlotPager::NextPage() { return HasNextPage() && MoveTo(selection + perPage); }

bool CSlotPager::SelectPage(int32_t page) {
  const int32_t slot = Row() + page * perPage;
  return page >= 0 && slot < slotCount && MoveTo(slot);
}

bool CSlotPager::SelectRow(int32_t row) {
  const int32_t slot = SlotAt(row);
  return slot >= 0 && MoveTo(slot);
}

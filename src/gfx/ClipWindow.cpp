#include "gfx/ClipWindow.h"

#include <algorithm>

CClipWindow::CClipWindow(const SDrawTarget& parent, int32_t left, int32_t top, int32_t right, int32_t bottom)
    : parent(parent), left(left), top(top), right(right), bottom(bottom), target(parent) {
  target.clip = &CClipWindow::Clip;
  target.clipContext = this;
}

void CClipWindow::Clip(void* context, int row, int32_t& l, int32_t& r) {
  const CClipWindow& w = *static_cast<const CClipWindow*>(context);
  if (row < w.top || row >= w.bottom) {
    r = l;
    return;
  }
  l = std::max(l, w.left);
  r = std::min(r, w.right);
  if (l < r) w.parent.ClipRow(row, l, r);
}

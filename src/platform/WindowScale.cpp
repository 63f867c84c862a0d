#include "platform/WindowScale.h"

#include <algorithm>

namespace {
// Room left on the desktop for the window frame and its title bar.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 48;
}  // namespace

int FitWindowScale(int requested, int width, int height, int usableWidth, int usableHeight) {
  if (width <= 0 || height <= 0) return std::max(requested, 1);
  const int largest =
      std::max(1, std::min((usableWidth - kFrameWidth) / width, (usableHeight - kFrameHeight) / height));
  return requested > 0 ? std::min(requested, largest) : largest;
}

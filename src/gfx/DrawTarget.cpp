#include "gfx/DrawTarget.h"

#include "gfx/Display.h"

namespace {

void ClipToDisplaySpans(void* context, int row, int32_t& left, int32_t& right) {
  static_cast<const CDisplay*>(context)->ClipToDirty(row, left, right);
}

}  // namespace

SDrawTarget SDrawTarget::Unclipped(uint32_t* pixels, int width, int height) {
  SDrawTarget target;
  target.pixels = pixels;
  target.width = width;
  target.height = height;
  return target;
}

SDrawTarget SDrawTarget::Screen(CDisplay& display) {
  SDrawTarget target = Unclipped(display.Pixels(), display.Width(), display.Height());
  target.clip = ClipToDisplaySpans;
  target.clipContext = &display;
  return target;
}

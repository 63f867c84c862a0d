#include "modes/BlackFade.h"

#include <algorithm>

#include "gfx/Display.h"
#include "gfx/DrawTarget.h"
#include "gfx/ShapeDraw.h"

namespace blackfade {

int32_t Alpha(int32_t part, int32_t whole) {
  const int64_t alpha = int64_t(part) * 255 / std::max(whole, 1);
  return static_cast<int32_t>(std::clamp<int64_t>(alpha, 0, 255));
}

void Fill(CDisplay& display, int32_t alpha) {
  if (alpha <= 0) return;
  const uint32_t colour = static_cast<uint32_t>(std::min(alpha, 255)) << 24;
  shapes::FillRect(SDrawTarget::Screen(display), 0, 0, display.Width(), display.Height(), colour);
}

}  // namespace blackfade

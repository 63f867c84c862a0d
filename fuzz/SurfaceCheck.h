#pragma once
#include <cstddef>
#include <cstdint>

#include "gfx/Surface.h"

// Reads every pixel of a decoded surface, so one that claims more pixels than it holds is caught by
// the address checker rather than later in a drawing loop.
inline void ReadEveryPixel(const CSurface& surface) {
  volatile uint32_t sum = 0;
  for (int y = 0; y < surface.Height(); ++y)
    for (int x = 0; x < surface.Width(); ++x)
      sum = sum + surface.Pixels()[static_cast<size_t>(y) * static_cast<size_t>(surface.Width()) + x];
}

#pragma once
#include <cstdint>

#include "gfx/DrawTarget.h"

class CSurface;

// One picture handed to the engine's draw-image operation: the source rectangle of a surface (base-size
// coordinates) mapped onto a destination rectangle (x1 < x0 mirrors), with a colour 0xAARRGGBB. The
// layer is -1 for pictures that are not on an image layer; which is 0 for the previous and 1 for the new
// picture of a layer in transition.
struct SImageDraw {
  const CSurface* surface = nullptr;
  int32_t layer = -1;
  float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  int32_t sx0 = 0, sy0 = 0, sx1 = 0, sy1 = 0;
  uint32_t colour = 0xFFFFFFFF;
  int32_t which = 1;
};

// The draw-image operation through which every picture reaches the screen; the layer set implements it
// (layer opacity, distortions, transition shapes) and the engine exposes it to everything else it draws.
class IImageDrawer {
 public:
  virtual ~IImageDrawer() = default;
  virtual void DrawImage(const SImageDraw& draw) = 0;
};

// The picture drawn as it is: DrawStretched of its source rectangle onto its destination rectangle.
void DrawImagePlain(const SImageDraw& draw, const SDrawTarget& target);

#include "gfx/ImageDrawer.h"

#include "gfx/Surface.h"

void DrawImagePlain(const SImageDraw& draw, const SDrawTarget& target) {
  if (!draw.surface) return;
  draw.surface->DrawStretched(target, draw.x0, draw.y0, draw.x1, draw.y1, draw.sx0, draw.sy0, draw.sx1,
                              draw.sy1, draw.colour, false);
}

#pragma once
#include <cstdint>

#include "gfx/DrawTarget.h"

// Drawing of flat and shaded shapes straight into a target (the screen, clipped to its dirty spans).
namespace shapes {

// A point of a shaded shape with its colour 0xAARRGGBB.
struct SColorVertex {
  float x = 0;
  float y = 0;
  uint32_t colour = 0;
};

// Translucent fill of [x0, x1) x [y0, y1): alpha 255 covers completely, alpha 0 changes nothing.
void FillRect(const SDrawTarget& target, int x0, int y0, int x1, int y1, uint32_t colour);
// A triangle whose colours and alpha are interpolated linearly from its vertices; the screen alpha
// is kept.
void DrawShadedTriangle(const SDrawTarget& target, const SColorVertex& a, const SColorVertex& b,
                        const SColorVertex& c);
// rows x columns vertices in row order; each cell is drawn as two shaded triangles.
void DrawShadedGrid(const SDrawTarget& target, const SColorVertex* vertices, int columns, int rows);
// An iris around the target's centre: clear inside radius inner, shading to the colour (made opaque)
// at radius outer and the colour beyond. Three rings of 33 points at angles (2k + 1) x pi / 32 drawn
// as one shaded grid, so the inner ring may be a single point.
void DrawIris(const SDrawTarget& target, uint32_t colour, double inner, double outer);
// A rectangle with corner colours top-left, top-right, bottom-right, bottom-left.
void DrawShadedRect(const SDrawTarget& target, float x0, float y0, float x1, float y1, uint32_t c0,
                    uint32_t c1, uint32_t c2, uint32_t c3);

}  // namespace shapes

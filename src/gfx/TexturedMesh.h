#pragma once
#include <cstdint>

#include "gfx/DrawTarget.h"

class CSurface;

// A point of a textured mesh: screen position and texture position (base-size coordinates).
struct STexVertex {
  double x = 0;
  double y = 0;
  double u = 0;
  double v = 0;
};

// Draws a surface through a mesh of textured triangles (the distortions of the screen effects): nearest
// texels, source-over blending with a colour, texels outside the surface left out. Triangles of either
// winding are drawn, so mirrored pictures keep showing.
class CTexturedMesh {
 public:
  static void DrawTriangle(const CSurface& surface, const SDrawTarget& target, const STexVertex& a,
                           const STexVertex& b, const STexVertex& c, uint32_t colour);
  // rows x columns vertices in row order; each cell is drawn as two triangles.
  static void DrawGrid(const CSurface& surface, const SDrawTarget& target, const STexVertex* vertices,
                       int columns, int rows, uint32_t colour);
};

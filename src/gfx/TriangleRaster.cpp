#include "gfx/TriangleRaster.h"

namespace raster {

SPlane FitPlane(const SVertex v[3], const double values[3]) {
  const double area = SignedArea(v[0], v[1], v[2]);
  SPlane plane;
  plane.x0 = v[0].x;
  plane.y0 = v[0].y;
  plane.at = values[0];
  if (area == 0) return plane;
  const double d1 = values[1] - values[0];
  const double d2 = values[2] - values[0];
  plane.dx = (d1 * (v[2].y - v[0].y) - d2 * (v[1].y - v[0].y)) / area;
  plane.dy = (d2 * (v[1].x - v[0].x) - d1 * (v[2].x - v[0].x)) / area;
  return plane;
}

}  // namespace raster

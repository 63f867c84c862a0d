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

CTriangleRows::CTriangleRows(const SDrawTarget& target, const SVertex v[3]) {
  for (int i = 0; i < 3; ++i) {
    if (!std::isfinite(v[i].x) || !std::isfinite(v[i].y)) return;
  }
  if (target.IsEmpty() || !(SignedArea(v[0], v[1], v[2]) > 0)) return;
  s[0] = v[0];
  s[1] = v[1];
  s[2] = v[2];
  std::sort(s, s + 3, [](const SVertex& a, const SVertex& b) { return a.y < b.y; });
  const auto slopeOf = [](const SVertex& a, const SVertex& b) {
    return b.y == a.y ? 0.0 : (b.x - a.x) / (b.y - a.y);
  };
  slope[kLong] = slopeOf(s[0], s[2]);
  slope[kFirst] = slopeOf(s[0], s[1]);
  slope[kSecond] = slopeOf(s[1], s[2]);
  first = std::max(0, static_cast<int>(std::clamp(s[0].y + 0.5, -1.0, 1e9)));
  last = std::min(target.height, static_cast<int>(std::clamp(s[2].y + 0.5, -1.0, 1e9)));
}

}  // namespace raster

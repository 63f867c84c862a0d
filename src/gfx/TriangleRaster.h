#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "gfx/DrawTarget.h"

// Scan conversion shared by the textured and the shaded triangles. A triangle draws only when its
// signed area (x1 - x0)(y2 - y0) - (x2 - x0)(y1 - y0) is positive. Rows run from trunc(top y + 0.5)
// to trunc(bottom y + 0.5), exclusive; on each row the edges are taken at the row centre and the run
// is [trunc(left + 0.5), trunc(right + 0.5)), cut to the target and then to the row's clip, so two
// triangles sharing an edge neither overlap nor leave a gap.
namespace raster {

struct SVertex {
  double x = 0;
  double y = 0;
};

inline double SignedArea(const SVertex& a, const SVertex& b, const SVertex& c) {
  return (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
}

// A linear function of the screen position, v(x, y) = at + dx * (x - x0) + dy * (y - y0), fitted to
// the values at the three vertices.
struct SPlane {
  double x0 = 0;
  double y0 = 0;
  double at = 0;
  double dx = 0;
  double dy = 0;
  double operator()(double x, double y) const { return at + dx * (x - x0) + dy * (y - y0); }
};

SPlane FitPlane(const SVertex v[3], const double values[3]);

// Calls run(row, left, right, rowCentre) for every non-empty run of the triangle.
template <class Run>
void ForEachRun(const SDrawTarget& target, const SVertex v[3], Run&& run) {
  for (int i = 0; i < 3; ++i) {
    if (!std::isfinite(v[i].x) || !std::isfinite(v[i].y)) return;
  }
  if (target.IsEmpty() || !(SignedArea(v[0], v[1], v[2]) > 0)) return;
  SVertex s[3] = {v[0], v[1], v[2]};
  std::sort(s, s + 3, [](const SVertex& a, const SVertex& b) { return a.y < b.y; });
  // x of the edge a-b at height y; a horizontal edge gives its first end.
  const auto edgeX = [](const SVertex& a, const SVertex& b, double y) {
    return b.y == a.y ? a.x : a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y);
  };
  const int first = std::max(0, static_cast<int>(std::clamp(s[0].y + 0.5, -1.0, 1e9)));
  const int last = std::min(target.height, static_cast<int>(std::clamp(s[2].y + 0.5, -1.0, 1e9)));
  for (int row = first; row < last; ++row) {
    const double yc = row + 0.5;
    const double xLong = edgeX(s[0], s[2], yc);
    const double xShort = yc < s[1].y ? edgeX(s[0], s[1], yc) : edgeX(s[1], s[2], yc);
    const double lo = std::clamp(std::min(xLong, xShort) + 0.5, -1.0, 1e9);
    const double hi = std::clamp(std::max(xLong, xShort) + 0.5, -1.0, 1e9);
    int32_t left = std::max(0, static_cast<int32_t>(lo));
    int32_t right = std::min(target.width, static_cast<int32_t>(hi));
    if (left >= right) continue;
    target.ClipRow(row, left, right);
    if (left < right) run(row, left, right, yc);
  }
}

}  // namespace raster

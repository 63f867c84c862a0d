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

// The rows of one triangle, set up once and asked row by row, so that a mesh can be walked a row at
// a time across many triangles with exactly the runs each triangle would draw on its own.
class CTriangleRows {
 public:
  // An empty range when a vertex is not finite, the area is not positive or the target is empty.
  CTriangleRows(const SDrawTarget& target, const SVertex v[3]);

  int First() const { return first; }
  int Last() const { return last; }
  // The run of a row in [First(), Last()), cut to [0, width); false when empty.
  bool Run(int row, int32_t width, int32_t& left, int32_t& right) const {
    const double yc = row + 0.5;
    const double xLong = EdgeX(s[0], s[2], yc);
    const double xShort = yc < s[1].y ? EdgeX(s[0], s[1], yc) : EdgeX(s[1], s[2], yc);
    const double lo = std::clamp(std::min(xLong, xShort) + 0.5, -1.0, 1e9);
    const double hi = std::clamp(std::max(xLong, xShort) + 0.5, -1.0, 1e9);
    left = std::max(0, static_cast<int32_t>(lo));
    right = std::min(width, static_cast<int32_t>(hi));
    return left < right;
  }

 private:
  // x of the edge a-b at height y; a horizontal edge gives its first end.
  static double EdgeX(const SVertex& a, const SVertex& b, double y) {
    return b.y == a.y ? a.x : a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y);
  }

  SVertex s[3];
  int first = 0;
  int last = 0;
};

// Calls run(row, left, right, rowCentre) for every non-empty run of the triangle.
template <class Run>
void ForEachRun(const SDrawTarget& target, const SVertex v[3], Run&& run) {
  const CTriangleRows rows(target, v);
  int32_t left = 0, right = 0;
  for (int row = rows.First(); row < rows.Last(); ++row) {
    if (!rows.Run(row, target.width, left, right)) continue;
    target.ClipRow(row, left, right);
    if (left < right) run(row, left, right, row + 0.5);
  }
}

}  // namespace raster

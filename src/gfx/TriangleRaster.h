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
  // The run of a row in [First(), Last()), cut to [0, width); false when empty. The edges are found
  // with precomputed slopes; where that could round to another pixel than the division form of
  // ExactRun, the division form decides, so the runs are exactly those of ExactRun.
  bool Run(int row, int32_t width, int32_t& left, int32_t& right) const {
    const double yc = row + 0.5;
    const int32_t a = Rounded(s[0], kLong, yc, s[2]);
    const int32_t b = yc < s[1].y ? Rounded(s[0], kFirst, yc, s[1]) : Rounded(s[1], kSecond, yc, s[2]);
    left = std::max(0, std::min(a, b));
    right = std::min(width, std::max(a, b));
    return left < right;
  }
  // The same run with each edge taken as a + (y - a.y) * (b.x - a.x) / (b.y - a.y).
  bool ExactRun(int row, int32_t width, int32_t& left, int32_t& right) const {
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
  enum EEdge { kLong, kFirst, kSecond };

  // x of the edge a-b at height y; a horizontal edge gives its first end.
  static double EdgeX(const SVertex& a, const SVertex& b, double y) {
    return b.y == a.y ? a.x : a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y);
  }
  // The pixel boundary an edge position rounds to: trunc(x + 0.5) within [-1, 1e9].
  static int32_t Boundary(double x) { return static_cast<int32_t>(std::clamp(x + 0.5, -1.0, 1e9)); }
  // Boundary(EdgeX(a, b, y)). The slope form differs from the division form by a few units in the
  // last place; a margin far larger than that shows whether both round alike (Boundary is monotone).
  int32_t Rounded(const SVertex& a, EEdge edge, double y, const SVertex& b) const {
    const double d = (y - a.y) * slope[edge];
    if (!(std::abs(d) < 1e12)) return Boundary(EdgeX(a, b, y));  // steep, far or not a number
    const double x = a.x + d;
    const double margin = (std::abs(a.x) + std::abs(d) + 1) * 1e-12;
    const int32_t lo = Boundary(x - margin);
    return lo == Boundary(x + margin) ? lo : Boundary(EdgeX(a, b, y));
  }

  SVertex s[3];
  double slope[3] = {0, 0, 0};
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

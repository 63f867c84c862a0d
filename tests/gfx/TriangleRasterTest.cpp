#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "gfx/TriangleRaster.h"

namespace {

// Every row of a triangle gives the run of the division form of the edges, also where an edge
// passes within a rounding error of a pixel boundary, for steep and nearly flat edges, huge
// coordinates and rows cut by the target.
TEST(TriangleRasterTest, RunsEqualTheDivisionForm) {
  std::vector<uint32_t> pixels(size_t(200) * 150);
  const SDrawTarget target = SDrawTarget::Unclipped(pixels.data(), 200, 150);
  std::mt19937 random(11);
  std::uniform_real_distribution<double> any(-40, 240);
  // Vertices on pixel boundaries and half-pixel centres make edges cross them exactly.
  std::uniform_int_distribution<int> grid(-20, 440);
  int rows = 0;
  for (int n = 0; n < 20000; ++n) {
    raster::SVertex v[3];
    for (raster::SVertex& p : v) {
      switch (n % 4) {
        case 0:
          p = {any(random), any(random) * 0.75};
          break;
        case 1:
          p = {grid(random) * 0.5, grid(random) * 0.25};
          break;
        case 2:
          p = {grid(random) * 0.5 + 1e-13 * (n % 7), grid(random) * 0.5};
          break;
        default:
          p = {any(random) * 1e7, any(random) * 0.75};
          break;
      }
    }
    if (raster::SignedArea(v[0], v[1], v[2]) < 0) std::swap(v[1], v[2]);
    const raster::CTriangleRows triangle(target, v);
    for (int row = triangle.First(); row < triangle.Last(); ++row, ++rows) {
      int32_t left = -5, right = -5, exactLeft = -7, exactRight = -7;
      const bool drawn = triangle.Run(row, target.width, left, right);
      ASSERT_EQ(drawn, triangle.ExactRun(row, target.width, exactLeft, exactRight)) << n << " row " << row;
      if (!drawn) continue;
      ASSERT_EQ(left, exactLeft) << n << " row " << row;
      ASSERT_EQ(right, exactRight) << n << " row " << row;
    }
  }
  EXPECT_GT(rows, 100000);
}

TEST(TriangleRasterTest, FlatAndEmptyTriangles) {
  std::vector<uint32_t> pixels(size_t(50) * 40);
  const SDrawTarget target = SDrawTarget::Unclipped(pixels.data(), 50, 40);
  // A flat top: the first short edge is horizontal.
  const raster::SVertex flatTop[3] = {{5, 5}, {40, 5}, {20, 30}};
  const raster::CTriangleRows top(target, flatTop);
  EXPECT_EQ(top.First(), 5);
  EXPECT_EQ(top.Last(), 30);
  int32_t left = 0, right = 0;
  ASSERT_TRUE(top.Run(5, target.width, left, right));
  EXPECT_EQ(left, 5);
  EXPECT_EQ(right, 40);
  // Clockwise, degenerate or not finite: no rows.
  const raster::SVertex clockwise[3] = {{5, 5}, {20, 30}, {40, 5}};
  const raster::SVertex line[3] = {{1, 1}, {2, 2}, {3, 3}};
  const raster::SVertex notFinite[3] = {{std::nan(""), 1}, {40, 5}, {20, 30}};
  for (const auto* v : {clockwise, line, notFinite}) {
    const raster::CTriangleRows empty(target, v);
    EXPECT_GE(empty.First(), empty.Last());
  }
}

}  // namespace

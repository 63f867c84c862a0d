#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "gfx/ClipWindow.h"
#include "gfx/PixelBlend.h"
#include "gfx/Surface.h"
#include "gfx/TexturedMesh.h"
#include "gfx/TriangleRaster.h"

namespace {

constexpr int kW = 120;
constexpr int kH = 90;

CSurface Texture(int w, int h) {
  CSurface s;
  uint32_t* p = s.Allocate(w, h);
  std::mt19937 random(7);
  for (int i = 0; i < w * h; ++i) p[i] = random();
  return s;
}

std::vector<uint32_t> Screen() {
  std::vector<uint32_t> screen(size_t(kW) * kH);
  for (size_t i = 0; i < screen.size(); ++i) screen[i] = 0xFF000000u | uint32_t(i * 2654435761u >> 8);
  return screen;
}

// One triangle drawn the plain way: every run of the scan conversion, texture position at the run's
// first pixel centre in 16.16 fixed point, stepped per pixel, blended pixel by pixel.
void ReferenceTriangle(const CSurface& surface, const SDrawTarget& target, STexVertex a, STexVertex b,
                       STexVertex c, uint32_t colour) {
  raster::SVertex v[3] = {{a.x, a.y}, {b.x, b.y}, {c.x, c.y}};
  if (raster::SignedArea(v[0], v[1], v[2]) < 0) {
    std::swap(b, c);
    std::swap(v[1], v[2]);
  }
  const double us[3] = {a.u, b.u, c.u}, vs[3] = {a.v, b.v, c.v};
  const raster::SPlane up = raster::FitPlane(v, us), vp = raster::FitPlane(v, vs);
  const auto fixed = [](double x) { return static_cast<int64_t>(std::floor(x * 65536.0)); };
  const pixelblend::SModulation m = pixelblend::MakeModulation(colour);
  raster::ForEachRun(target, v, [&](int row, int32_t left, int32_t right, double yc) {
    int64_t u = fixed(up(left + 0.5, yc)), t = fixed(vp(left + 0.5, yc));
    for (int32_t x = left; x < right; ++x, u += fixed(up.dx), t += fixed(vp.dx)) {
      const int64_t tu = u >> 16, tv = t >> 16;
      const uint32_t texel = tu >= 0 && tv >= 0 && tu < surface.Width() && tv < surface.Height()
                                 ? surface.Pixels()[tv * surface.Width() + tu]
                                 : 0;
      uint32_t& p = target.Row(row)[x];
      p = pixelblend::BlendPixel(p, texel, m, pixelblend::EBlendMode::kOver);
    }
  });
}

// A columns x rows grid over the screen, swirled around its centre by an angle growing towards the
// middle (folding over itself when strong), its texture reaching a little outside the surface.
std::vector<STexVertex> Swirl(int columns, int rows, double strength) {
  std::vector<STexVertex> grid;
  for (int j = 0; j < rows; ++j) {
    for (int i = 0; i < columns; ++i) {
      const double x = -6 + (kW + 12.0) * i / (columns - 1), y = -5 + (kH + 10.0) * j / (rows - 1);
      const double angle =
          strength * std::exp(-((x - kW / 2) * (x - kW / 2) + (y - kH / 2) * (y - kH / 2)) / 900);
      const double dx = x - kW / 2, dy = y - kH / 2;
      grid.push_back({kW / 2 + dx * std::cos(angle) - dy * std::sin(angle),
                      kH / 2 + dx * std::sin(angle) + dy * std::cos(angle), x * 0.7 - 3, y * 0.8 - 2});
    }
  }
  return grid;
}

void ReferenceGrid(const CSurface& surface, const SDrawTarget& target, const std::vector<STexVertex>& g,
                   int columns, int rows, uint32_t colour) {
  for (int j = 0; j + 1 < rows; ++j) {
    for (int i = 0; i + 1 < columns; ++i) {
      const STexVertex &tl = g[j * columns + i], &tr = g[j * columns + i + 1];
      const STexVertex &bl = g[(j + 1) * columns + i], &br = g[(j + 1) * columns + i + 1];
      ReferenceTriangle(surface, target, tl, tr, br, colour);
      ReferenceTriangle(surface, target, tl, br, bl, colour);
    }
  }
}

// The grid walked row by row across all its triangles gives exactly the pixels of the triangles
// drawn one after the other, also where the mesh folds over itself (the order of blends matters
// there), mirrored, clipped to a window, with texels outside the surface and a modulating colour.
TEST(TexturedMeshTest, GridEqualsTrianglesDrawnInOrder) {
  const CSurface texture = Texture(64, 48);
  for (const double strength : {0.0, 0.8, 2.5, -4.0}) {
    for (const uint32_t colour : {0xFFFFFFFFu, 0x90C0A0FFu}) {
      for (const bool clipped : {false, true}) {
        for (const auto& [columns, rows] : {std::pair{33, 33}, std::pair{2, 17}, std::pair{9, 9}}) {
          std::vector<uint32_t> expected = Screen(), actual = Screen();
          SDrawTarget e = SDrawTarget::Unclipped(expected.data(), kW, kH);
          SDrawTarget a = SDrawTarget::Unclipped(actual.data(), kW, kH);
          const CClipWindow ew(e, 13, 7, 101, 80), aw(a, 13, 7, 101, 80);
          const std::vector<STexVertex> grid = Swirl(columns, rows, strength);
          ReferenceGrid(texture, clipped ? ew.Target() : e, grid, columns, rows, colour);
          CTexturedMesh::DrawGrid(texture, clipped ? aw.Target() : a, grid.data(), columns, rows, colour);
          ASSERT_EQ(actual, expected) << "strength " << strength << " colour " << std::hex << colour
                                      << " clipped " << clipped << " grid " << columns << "x" << rows;
        }
      }
    }
  }
}

TEST(TexturedMeshTest, SingleTrianglesOfEitherWindingAndDegenerateOnes) {
  const CSurface texture = Texture(40, 30);
  const STexVertex a{10.3, 4.7, 0, 0}, b{100.2, 20.5, 39, 2}, c{30.8, 85.1, 5, 29};
  const STexVertex nan{std::nan(""), 5, 0, 0}, flat{50, 20.5, 3, 3};
  const STexVertex cases[][3] = {{a, b, c}, {a, c, b}, {nan, b, c}, {a, b, flat}, {a, a, c}};
  for (const auto& t : cases) {
    std::vector<uint32_t> expected = Screen(), actual = Screen();
    ReferenceTriangle(texture, SDrawTarget::Unclipped(expected.data(), kW, kH), t[0], t[1], t[2],
                      0xC0FFFFFFu);
    CTexturedMesh::DrawTriangle(texture, SDrawTarget::Unclipped(actual.data(), kW, kH), t[0], t[1], t[2],
                                0xC0FFFFFFu);
    EXPECT_EQ(actual, expected);
  }
}

}  // namespace

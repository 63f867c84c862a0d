#include "gfx/TexturedMesh.h"

#include <algorithm>
#include <cmath>

#include "gfx/PixelBlend.h"
#include "gfx/Surface.h"
#include "gfx/TriangleRaster.h"

namespace {

constexpr int kChunk = 256;

int64_t Fixed(double value) {
  return std::isfinite(value) ? static_cast<int64_t>(std::floor(std::clamp(value, -1e9, 1e9) * 65536.0)) : 0;
}

}  // namespace

void CTexturedMesh::DrawTriangle(const CSurface& surface, const SDrawTarget& target, const STexVertex& a,
                                 const STexVertex& b, const STexVertex& c, uint32_t colour) {
  if (surface.IsEmpty() || target.IsEmpty()) return;
  const STexVertex* order[3] = {&a, &b, &c};
  raster::SVertex v[3] = {{a.x, a.y}, {b.x, b.y}, {c.x, c.y}};
  if (raster::SignedArea(v[0], v[1], v[2]) < 0) {
    std::swap(order[1], order[2]);
    std::swap(v[1], v[2]);
  }
  const double s = surface.Scale();
  const double us[3] = {order[0]->u * s, order[1]->u * s, order[2]->u * s};
  const double vs[3] = {order[0]->v * s, order[1]->v * s, order[2]->v * s};
  const raster::SPlane uPlane = raster::FitPlane(v, us);
  const raster::SPlane vPlane = raster::FitPlane(v, vs);
  const pixelblend::SModulation m = pixelblend::MakeModulation(colour);
  const int64_t du = Fixed(uPlane.dx), dv = Fixed(vPlane.dx);
  const uint64_t w = static_cast<uint64_t>(surface.Width()), h = static_cast<uint64_t>(surface.Height());
  const uint32_t* pixels = surface.Pixels();
  raster::ForEachRun(target, v, [&](int row, int32_t left, int32_t right, double yc) {
    int64_t u = Fixed(uPlane(left + 0.5, yc));
    int64_t tv = Fixed(vPlane(left + 0.5, yc));
    uint32_t texels[kChunk];
    for (int32_t x = left; x < right; x += kChunk) {
      const int n = std::min<int32_t>(kChunk, right - x);
      for (int i = 0; i < n; ++i, u += du, tv += dv) {
        const uint64_t tu = static_cast<uint64_t>(u >> 16), tr = static_cast<uint64_t>(tv >> 16);
        texels[i] = tu < w && tr < h ? pixels[tr * w + tu] : 0;
      }
      pixelblend::BlendRow(target.Row(row) + x, texels, n, m, pixelblend::EBlendMode::kOver);
    }
  });
}

void CTexturedMesh::DrawGrid(const CSurface& surface, const SDrawTarget& target, const STexVertex* vertices,
                             int columns, int rows, uint32_t colour) {
  for (int j = 0; j + 1 < rows; ++j) {
    for (int i = 0; i + 1 < columns; ++i) {
      const STexVertex& tl = vertices[j * columns + i];
      const STexVertex& tr = vertices[j * columns + i + 1];
      const STexVertex& bl = vertices[(j + 1) * columns + i];
      const STexVertex& br = vertices[(j + 1) * columns + i + 1];
      DrawTriangle(surface, target, tl, tr, br, colour);
      DrawTriangle(surface, target, tl, br, bl, colour);
    }
  }
}

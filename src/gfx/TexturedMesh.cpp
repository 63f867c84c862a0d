#include "gfx/TexturedMesh.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "gfx/PixelBlend.h"
#include "gfx/Surface.h"
#include "gfx/TriangleRaster.h"

namespace {

// Runs of one row further apart than this are blended separately rather than joined by transparent
// texels.
constexpr int32_t kMaxGap = 32;

// 16.16 fixed point, rounded down. The floor is done on the integer side (truncate, then step down for
// negative fractions), which gives exactly std::floor's result without a library call per run.
int64_t Fixed(double value) {
  if (!std::isfinite(value)) return 0;
  const double scaled = std::clamp(value, -1e9, 1e9) * 65536.0;
  const int64_t t = static_cast<int64_t>(scaled);
  return t - (scaled < static_cast<double>(t) ? 1 : 0);
}

// A run of pixels of one row and the texture position stepped along it, 16.16 fixed point.
struct STexelRun {
  int32_t left = 0;
  int32_t right = 0;
  int64_t u = 0;
  int64_t v = 0;
  int64_t du = 0;
  int64_t dv = 0;
  uint32_t triangle = 0;

  // The texels of the run; texels outside the surface are transparent.
  void Gather(const CSurface& surface, uint32_t* out) const {
    const uint64_t w = static_cast<uint64_t>(surface.Width()), h = static_cast<uint64_t>(surface.Height());
    const uint32_t* pixels = surface.Pixels();
    int64_t tu = u, tv = v;
    for (int32_t i = 0, n = right - left; i < n; ++i, tu += du, tv += dv) {
      const uint64_t x = static_cast<uint64_t>(tu >> 16), y = static_cast<uint64_t>(tv >> 16);
      out[i] = x < w && y < h ? pixels[y * w + x] : 0;
    }
  }
};

// The corners of a triangle turned to a positive area (either winding is drawn, so mirrored pictures
// keep showing), with their texture positions in surface pixels.
struct SOriented {
  raster::SVertex xy[3];
  double u[3];
  double v[3];

  SOriented(const CSurface& surface, const STexVertex& a, const STexVertex& b, const STexVertex& c) {
    const STexVertex* order[3] = {&a, &b, &c};
    if (raster::SignedArea({a.x, a.y}, {b.x, b.y}, {c.x, c.y}) < 0) std::swap(order[1], order[2]);
    const double s = surface.Scale();
    for (int i = 0; i < 3; ++i) {
      xy[i] = {order[i]->x, order[i]->y};
      u[i] = order[i]->u * s;
      v[i] = order[i]->v * s;
    }
  }
};

// One triangle of a mesh, set up once: its rows and the texture position, found at the start of each
// run and then stepped along it.
class CMeshTriangle {
 public:
  CMeshTriangle(const SDrawTarget& target, const SOriented& o)
      : rows(target, o.xy),
        uPlane(raster::FitPlane(o.xy, o.u)),
        vPlane(raster::FitPlane(o.xy, o.v)),
        du(Fixed(uPlane.dx)),
        dv(Fixed(vPlane.dx)) {}

  int First() const { return rows.First(); }
  int Last() const { return rows.Last(); }
  bool IsEmpty() const { return rows.First() >= rows.Last(); }

  // The run of a row cut to the target's width and to the row's clip [clipLeft, clipRight), with
  // its texture position at the first pixel; false when the row is empty.
  bool Start(int row, int32_t width, int32_t clipLeft, int32_t clipRight, STexelRun& run) const {
    if (row < rows.First() || row >= rows.Last() || !rows.Run(row, width, run.left, run.right)) return false;
    run.left = std::max(run.left, clipLeft);
    run.right = std::min(run.right, clipRight);
    if (run.left >= run.right) return false;
    const double yc = row + 0.5;
    run.u = Fixed(uPlane(run.left + 0.5, yc));
    run.v = Fixed(vPlane(run.left + 0.5, yc));
    run.du = du;
    run.dv = dv;
    return true;
  }

 private:
  raster::CTriangleRows rows;
  raster::SPlane uPlane;
  raster::SPlane vPlane;
  int64_t du = 0;
  int64_t dv = 0;
};

// Draws triangles row by row, keeping the list of triangles that cover the current row. On each row
// the runs of those triangles are collected; when none of them overlap, their order does not matter
// and the row is blended in a few long passes. A row where runs overlap (a folded mesh) is blended
// run by run in triangle order, so every pixel receives its triangles in the order they were given,
// exactly as if each triangle were drawn on its own.
class CMeshDraw {
 public:
  CMeshDraw(const CSurface& surface, const SDrawTarget& target, uint32_t colour)
      : surface(surface),
        target(target),
        modulation(pixelblend::MakeModulation(colour)),
        texels(static_cast<size_t>(target.width)) {}

  void Add(const STexVertex& a, const STexVertex& b, const STexVertex& c) {
    CMeshTriangle t(target, SOriented(surface, a, b, c));
    if (!t.IsEmpty()) triangles.push_back(t);
  }

  void Draw() {
    std::vector<uint32_t> byFirst(triangles.size());
    for (uint32_t i = 0; i < byFirst.size(); ++i) byFirst[i] = i;
    std::stable_sort(byFirst.begin(), byFirst.end(),
                     [&](uint32_t a, uint32_t b) { return triangles[a].First() < triangles[b].First(); });
    runs.resize(triangles.size());
    order.resize(triangles.size());
    size_t next = 0;
    for (int row = byFirst.empty() ? 0 : triangles[byFirst[0]].First();
         next < byFirst.size() || !active.empty(); ++row) {
      for (; next < byFirst.size() && triangles[byFirst[next]].First() <= row; ++next)
        active.push_back(byFirst[next]);
      std::erase_if(active, [&](uint32_t i) { return triangles[i].Last() <= row; });
      if (!active.empty()) DrawRow(row);
    }
  }

 private:
  void DrawRow(int row) {
    int32_t clipLeft = 0, clipRight = target.width;
    target.ClipRow(row, clipLeft, clipRight);
    if (clipLeft >= clipRight) return;
    size_t count = 0;
    for (uint32_t i : active) {
      if (!triangles[i].Start(row, target.width, clipLeft, clipRight, runs[count])) continue;
      runs[count++].triangle = i;
    }
    if (count == 0) return;
    for (size_t k = 0; k < count; ++k) order[k] = &runs[k];
    std::sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(count),
              [](const STexelRun* a, const STexelRun* b) { return a->left < b->left; });
    for (size_t k = 1; k < count; ++k) {
      if (order[k]->left < order[k - 1]->right) return DrawInOrder(row, count);
    }
    DrawJoined(row, count);
  }

  // Disjoint runs, left to right, joined over small gaps of transparent texels.
  void DrawJoined(int row, size_t count) {
    int32_t from = order[0]->left;
    for (size_t k = 0; k < count; ++k) {
      const STexelRun& run = *order[k];
      run.Gather(surface, texels.data() + run.left);
      const int32_t end = run.right;
      if (k + 1 < count && order[k + 1]->left - end <= kMaxGap) {
        std::fill(texels.begin() + end, texels.begin() + order[k + 1]->left, 0u);
        continue;
      }
      Blend(row, from, end);
      if (k + 1 < count) from = order[k + 1]->left;
    }
  }

  // Overlapping runs, one at a time in the order of their triangles.
  void DrawInOrder(int row, size_t count) {
    std::sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(count),
              [](const STexelRun* a, const STexelRun* b) { return a->triangle < b->triangle; });
    for (size_t k = 0; k < count; ++k) {
      order[k]->Gather(surface, texels.data() + order[k]->left);
      Blend(row, order[k]->left, order[k]->right);
    }
  }

  void Blend(int row, int32_t from, int32_t to) {
    pixelblend::BlendRow(target.Row(row) + from, texels.data() + from, to - from, modulation,
                         pixelblend::EBlendMode::kOver);
  }

  const CSurface& surface;
  const SDrawTarget& target;
  pixelblend::SModulation modulation;
  std::vector<uint32_t> texels;
  std::vector<CMeshTriangle> triangles;
  std::vector<uint32_t> active;
  std::vector<STexelRun> runs;
  std::vector<STexelRun*> order;
};

}  // namespace

void CTexturedMesh::DrawTriangle(const CSurface& surface, const SDrawTarget& target, const STexVertex& a,
                                 const STexVertex& b, const STexVertex& c, uint32_t colour) {
  if (surface.IsEmpty() || target.IsEmpty()) return;
  CMeshDraw mesh(surface, target, colour);
  mesh.Add(a, b, c);
  mesh.Draw();
}

void CTexturedMesh::DrawGrid(const CSurface& surface, const SDrawTarget& target, const STexVertex* vertices,
                             int columns, int rows, uint32_t colour) {
  if (surface.IsEmpty() || target.IsEmpty()) return;
  CMeshDraw mesh(surface, target, colour);
  for (int j = 0; j + 1 < rows; ++j) {
    for (int i = 0; i + 1 < columns; ++i) {
      const STexVertex& tl = vertices[j * columns + i];
      const STexVertex& tr = vertices[j * columns + i + 1];
      const STexVertex& bl = vertices[(j + 1) * columns + i];
      const STexVertex& br = vertices[(j + 1) * columns + i + 1];
      mesh.Add(tl, tr, br);
      mesh.Add(tl, br, bl);
    }
  }
  mesh.Draw();
}

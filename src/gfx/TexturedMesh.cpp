#include "gfx/TexturedMesh.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "gfx/PixelBlend.h"
#include "gfx/Surface.h"
#include "gfx/TriangleRaster.h"

namespace {

// 16.16 fixed point, rounded down, of a value known to be finite and within [-1e9, 1e9]. The floor is
// done on the integer side (truncate, then step down for negative fractions), which gives exactly
// std::floor's result without a library call per run.
int64_t FixedInRange(double value) {
  const double scaled = value * 65536.0;
  const int64_t t = static_cast<int64_t>(scaled);
  return t - (scaled < static_cast<double>(t) ? 1 : 0);
}

// 16.16 fixed point of any value: not finite gives 0, the rest is clamped to [-1e9, 1e9].
int64_t Fixed(double value) { return std::isfinite(value) ? FixedInRange(std::clamp(value, -1e9, 1e9)) : 0; }

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

// One triangle set up once: its rows, and the texture position as planes over the screen.
struct SMeshTriangle {
  raster::CTriangleRows rows;
  raster::SPlane uPlane;
  raster::SPlane vPlane;
  int64_t du = 0;
  int64_t dv = 0;
  // Both planes stay far inside Fixed's clamp over the triangle's rows: no check per run.
  bool inRange = false;

  SMeshTriangle(const SDrawTarget& target, const SOriented& o)
      : rows(target, o.xy),
        uPlane(raster::FitPlane(o.xy, o.u)),
        vPlane(raster::FitPlane(o.xy, o.v)),
        du(Fixed(uPlane.dx)),
        dv(Fixed(vPlane.dx)) {
    // A plane's extremes over a box are at its corners.
    const double xs[2] = {0.0, static_cast<double>(target.width)};
    const double ys[2] = {static_cast<double>(rows.First()), static_cast<double>(rows.Last())};
    inRange = true;
    for (const raster::SPlane* plane : {&uPlane, &vPlane}) {
      for (double x : xs)
        for (double y : ys) inRange = inRange && std::abs((*plane)(x, y)) < 1e8;
    }
  }

  // The texture position at the centre of pixel x of a row.
  void Start(int32_t x, double yc, pixelblend::STexelWalk& walk) const {
    const double xc = x + 0.5;
    walk.u = inRange ? FixedInRange(uPlane(xc, yc)) : Fixed(uPlane(xc, yc));
    walk.v = inRange ? FixedInRange(vPlane(xc, yc)) : Fixed(vPlane(xc, yc));
    walk.du = du;
    walk.dv = dv;
  }
};

// Runs of one row further apart than this are blended separately rather than joined by transparent
// texels (which source-over leaves unchanged).
constexpr int32_t kMaxGap = 32;

// A run of one row: its pixels and the texture walk along them.
struct SMeshRun {
  int32_t left = 0;
  int32_t right = 0;
  pixelblend::STexelWalk walk;
};

// Draws a mesh a band of triangles at a time (a row of grid cells): the band's rows top to bottom,
// each with the runs of the band's triangles in their order. Rows of texels are then read nearly in
// memory order. When the runs of a row do not overlap, their order does not matter: their texels
// are fetched into one row and blended in a few long passes. Where they overlap (the mesh folds) they
// are blended one by one in triangle order, so every pixel receives its triangles in the order they
// are given, exactly as if each triangle were drawn on its own.
class CMeshDraw {
 public:
  CMeshDraw(const CSurface& surface, const SDrawTarget& target, uint32_t colour)
      : surface(surface),
        target(target),
        modulation(pixelblend::MakeModulation(colour)),
        texels(static_cast<size_t>(target.width)) {
    clips.resize(static_cast<size_t>(target.height));
    for (int row = 0; row < target.height; ++row) {
      SClip& clip = clips[static_cast<size_t>(row)];
      clip.right = target.width;
      target.ClipRow(row, clip.left, clip.right);
    }
  }

  void Add(const STexVertex& a, const STexVertex& b, const STexVertex& c) {
    const SMeshTriangle t(target, SOriented(surface, a, b, c));
    if (t.rows.First() < t.rows.Last()) band.push_back(t);
  }

  // Draws the triangles added since the last call.
  void DrawBand() {
    byFirst.resize(band.size());
    for (uint32_t i = 0; i < byFirst.size(); ++i) byFirst[i] = i;
    std::stable_sort(byFirst.begin(), byFirst.end(),
                     [&](uint32_t a, uint32_t b) { return band[a].rows.First() < band[b].rows.First(); });
    runs.resize(band.size());
    order.resize(band.size());
    active.clear();
    size_t next = 0;
    for (int row = byFirst.empty() ? 0 : band[byFirst[0]].rows.First();
         next < byFirst.size() || !active.empty(); ++row) {
      // The active triangles stay in their order.
      for (; next < byFirst.size() && band[byFirst[next]].rows.First() <= row; ++next)
        active.insert(std::upper_bound(active.begin(), active.end(), byFirst[next]), byFirst[next]);
      std::erase_if(active, [&](uint32_t i) { return band[i].rows.Last() <= row; });
      DrawRow(row);
    }
    band.clear();
  }

 private:
  struct SClip {
    int32_t left = 0;
    int32_t right = 0;
  };

  bool MakeRun(const SMeshTriangle& t, int row, SMeshRun& run) const {
    if (!t.rows.Run(row, target.width, run.left, run.right)) return false;
    const SClip& clip = clips[static_cast<size_t>(row)];
    run.left = std::max(run.left, clip.left);
    run.right = std::min(run.right, clip.right);
    if (run.left >= run.right) return false;
    run.walk.pixels = surface.Pixels();
    run.walk.width = surface.Width();
    run.walk.height = surface.Height();
    t.Start(run.left, row + 0.5, run.walk);
    return true;
  }

  void DrawRow(int row) {
    size_t count = 0;
    for (uint32_t i : active) {
      if (MakeRun(band[i], row, runs[count])) {
        order[count] = static_cast<uint32_t>(count);
        ++count;
      }
    }
    if (count == 0) return;
    // Insertion sort by left end: the runs of a band mostly come nearly in order.
    for (size_t k = 1; k < count; ++k) {
      const uint32_t moved = order[k];
      size_t at = k;
      for (; at > 0 && runs[order[at - 1]].left > runs[moved].left; --at) order[at] = order[at - 1];
      order[at] = moved;
    }
    for (size_t k = 1; k < count; ++k) {
      if (runs[order[k]].left < runs[order[k - 1]].right) return DrawInOrder(row, count);
    }
    DrawJoined(row, count);
  }

  // Disjoint runs, left to right, joined over small gaps of transparent texels.
  void DrawJoined(int row, size_t count) {
    int32_t from = runs[order[0]].left;
    for (size_t k = 0; k < count; ++k) {
      const SMeshRun& run = runs[order[k]];
      pixelblend::GatherTexels(texels.data() + run.left, run.right - run.left, run.walk);
      if (k + 1 < count && runs[order[k + 1]].left - run.right <= kMaxGap) {
        std::fill(texels.begin() + run.right, texels.begin() + runs[order[k + 1]].left, 0u);
        continue;
      }
      Blend(row, from, run.right);
      if (k + 1 < count) from = runs[order[k + 1]].left;
    }
  }

  // Overlapping runs, one at a time in the order of their triangles.
  void DrawInOrder(int row, size_t count) {
    for (size_t k = 0; k < count; ++k) {
      const SMeshRun& run = runs[k];
      pixelblend::GatherTexels(texels.data() + run.left, run.right - run.left, run.walk);
      Blend(row, run.left, run.right);
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
  std::vector<SClip> clips;
  std::vector<SMeshTriangle> band;
  std::vector<uint32_t> byFirst;
  std::vector<uint32_t> active;
  std::vector<SMeshRun> runs;
  std::vector<uint32_t> order;
};

}  // namespace

void CTexturedMesh::DrawTriangle(const CSurface& surface, const SDrawTarget& target, const STexVertex& a,
                                 const STexVertex& b, const STexVertex& c, uint32_t colour) {
  if (surface.IsEmpty() || target.IsEmpty()) return;
  CMeshDraw mesh(surface, target, colour);
  mesh.Add(a, b, c);
  mesh.DrawBand();
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
    mesh.DrawBand();
  }
}

#include "gfx/ShapeDraw.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "gfx/PixelBlend.h"
#include "gfx/TriangleRaster.h"

namespace shapes {

namespace {

// Interpolated values carry 7 fractional bits (alpha 255 is 32640); they are stepped along a run in
// 16.16 fixed point of that unit.
constexpr double kUnit = 128.0;
constexpr double kStepOne = 65536.0;

struct SChannelStep {
  int64_t at;
  int64_t step;
  int32_t Value() const { return static_cast<int32_t>(std::clamp<int64_t>(at >> 16, 0, 255 * 128)); }
};

SChannelStep StartChannel(const raster::SPlane& plane, double x, double y) {
  return {static_cast<int64_t>(std::floor(plane(x, y) * kUnit * kStepOne)),
          static_cast<int64_t>(plane.dx * kUnit * kStepOne)};
}

uint32_t ShadePixel(uint32_t p, const SChannelStep ch[4]) {
  const int32_t a = ch[3].Value();
  uint32_t out = p & 0xFF000000u;
  for (int c = 0; c < 3; ++c) {
    const int32_t pc = static_cast<int32_t>((p >> (8 * c)) & 255);
    const int32_t value = ch[c].Value() >> 7;
    out |= static_cast<uint32_t>(pc + (((value - pc) * a) >> 15)) << (8 * c);
  }
  return out;
}

}  // namespace

void FillRect(const SDrawTarget& target, int x0, int y0, int x1, int y1, uint32_t colour) {
  const uint32_t d = pixelblend::FillAlpha(colour);
  if (d == 0 || target.IsEmpty()) return;
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, target.width);
  y1 = std::min(y1, target.height);
  for (int y = y0; y < y1; ++y) {
    int32_t left = x0;
    int32_t right = x1;
    target.ClipRow(y, left, right);
    if (left >= right) continue;
    uint32_t* row = target.Row(y);
    if (d == 256) {
      std::fill(row + left, row + right, colour | 0xFF000000u);
    } else {
      pixelblend::FillRow(row + left, right - left, colour, d);
    }
  }
}

void DrawShadedTriangle(const SDrawTarget& target, const SColorVertex& a, const SColorVertex& b,
                        const SColorVertex& c) {
  const raster::SVertex v[3] = {{a.x, a.y}, {b.x, b.y}, {c.x, c.y}};
  raster::SPlane planes[4];
  for (int ch = 0; ch < 4; ++ch) {
    const double values[3] = {static_cast<double>((a.colour >> (8 * ch)) & 255),
                              static_cast<double>((b.colour >> (8 * ch)) & 255),
                              static_cast<double>((c.colour >> (8 * ch)) & 255)};
    planes[ch] = raster::FitPlane(v, values);
  }
  raster::ForEachRun(target, v, [&](int row, int32_t left, int32_t right, double yc) {
    SChannelStep ch[4];
    for (int i = 0; i < 4; ++i) ch[i] = StartChannel(planes[i], left + 0.5, yc);
    uint32_t* pixels = target.Row(row);
    for (int32_t x = left; x < right; ++x) {
      pixels[x] = ShadePixel(pixels[x], ch);
      for (SChannelStep& s : ch) s.at += s.step;
    }
  });
}

void DrawShadedGrid(const SDrawTarget& target, const SColorVertex* vertices, int columns, int rows) {
  for (int i = 0; i + 1 < rows; ++i) {
    for (int j = 0; j + 1 < columns; ++j) {
      const SColorVertex& topLeft = vertices[i * columns + j];
      const SColorVertex& topRight = vertices[i * columns + j + 1];
      const SColorVertex& bottomLeft = vertices[(i + 1) * columns + j];
      const SColorVertex& bottomRight = vertices[(i + 1) * columns + j + 1];
      DrawShadedTriangle(target, topLeft, topRight, bottomRight);
      DrawShadedTriangle(target, topLeft, bottomRight, bottomLeft);
    }
  }
}

void DrawIris(const SDrawTarget& target, uint32_t colour, double inner, double outer) {
  constexpr int kPoints = 33;
  const double w = target.width, h = target.height;
  const double radii[3] = {inner, outer, w + h};
  const uint32_t rgb = colour & 0xFFFFFFu;
  const uint32_t colours[3] = {rgb, rgb | 0xFF000000u, rgb | 0xFF000000u};
  SColorVertex ring[3 * kPoints];
  for (int r = 0; r < 3; ++r) {
    for (int k = 0; k < kPoints; ++k) {
      const double angle = (2 * k + 1) * std::numbers::pi / 32;
      ring[r * kPoints + k] = {static_cast<float>(target.width / 2 + std::cos(angle) * radii[r]),
                               static_cast<float>(target.height / 2 - std::sin(angle) * radii[r]),
                               colours[r]};
    }
  }
  DrawShadedGrid(target, ring, kPoints, 3);
}

void DrawShadedRect(const SDrawTarget& target, float x0, float y0, float x1, float y1, uint32_t c0,
                    uint32_t c1, uint32_t c2, uint32_t c3) {
  DrawShadedTriangle(target, {x0, y0, c0}, {x1, y0, c1}, {x1, y1, c2});
  DrawShadedTriangle(target, {x0, y0, c0}, {x1, y1, c2}, {x0, y1, c3});
}

}  // namespace shapes

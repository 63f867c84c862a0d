#include "gfx/Surface.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "gfx/ImageLoader.h"
#include "gfx/PixelBlend.h"
#include "gfx/Resample.h"
#include "gfx/TriangleRaster.h"

namespace {

// Colour matrices of the colour modes: per output channel R, G, B the factors of R, G, B (in 1/256)
// and an offset.
constexpr int kColorMatrices[4][12] = {
    {256, 0, 0, 0, 0, 256, 0, 0, 0, 0, 256, 0},
    {85, 85, 85, 0, 85, 85, 85, 0, 85, 85, 85, 0},
    {120, 88, 88, 0, 72, 104, 72, 0, 64, 64, 96, 0},
    {-256, 0, 0, 255, 0, -256, 0, 255, 0, 0, -256, 255},
};

uint32_t MatrixChannel(const int* m, int r, int g, int b) {
  return static_cast<uint32_t>(std::clamp(((r * m[0] + g * m[1] + b * m[2]) >> 8) + m[3], 0, 255));
}

bool SizeInRange(int width, int height) {
  return width > 0 && height > 0 && width <= CSurface::kMaxSide && height <= CSurface::kMaxSide &&
         int64_t{width} * height <= CSurface::kMaxPixels;
}

// Truncation toward zero, with values beyond the int range (and NaN) mapped to a value no size matches.
int64_t ToInt(double v) {
  return std::isfinite(v) && std::fabs(v) < 2e9 ? static_cast<int64_t>(v) : INT64_MIN;
}

int AddClamped(int a, int b) {
  return static_cast<int>(std::clamp<int64_t>(int64_t{a} + b, INT32_MIN, INT32_MAX));
}

// Texels of one triangle run are gathered here and blended in pieces of this many pixels.
constexpr int kGatherChunk = 256;

// A texture coordinate or step in 16.16 fixed point (rounded down), saturated far outside any image so
// that stepping along a run cannot overflow.
int64_t ToFixed(double value) {
  constexpr double kLimit = 1e9;
  return std::isnan(value) ? 0
                           : static_cast<int64_t>(std::floor(std::clamp(value, -kLimit, kLimit) * 65536.0));
}

}  // namespace

bool CSurface::CreateBlank(int w, int h) { return Allocate(w, h) != nullptr; }

uint32_t* CSurface::Allocate(int w, int h) {
  Clear();
  if (!SizeInRange(w, h)) return nullptr;
  pixels.assign(static_cast<size_t>(w) * h, 0);
  width = baseWidth = w;
  height = baseHeight = h;
  return pixels.data();
}

void CSurface::Clear() {
  std::vector<uint32_t>().swap(pixels);
  width = height = baseWidth = baseHeight = 0;
  scale = 1.0f;
}

bool CSurface::Load(const std::string& name, float newScale) {
  if (!LoadImageFile(name, *this)) {
    Clear();
    return false;
  }
  Rescale(newScale);
  return true;
}

void CSurface::Rescale(float newScale) {
  newScale = std::clamp(newScale, 0.1f, 2.0f);
  if (newScale == 1.0f || IsEmpty()) return;
  const int w = static_cast<int>(newScale * baseWidth + 0.5f);
  const int h = static_cast<int>(newScale * baseHeight + 0.5f);
  if (!SizeInRange(w, h)) return;
  pixels = ResampleBilinear(pixels.data(), width, height, w, h, newScale);
  width = w;
  height = h;
  scale = newScale;
}

void CSurface::PutPixels(int x, int y, int n, int count, const uint32_t* source) {
  for (int row = std::max(0, -y); row < count && y + row < height; ++row) {
    const int from = std::max(0, -x);
    const int to = std::min(n, width - x);
    if (from >= to) return;
    std::copy(source + static_cast<size_t>(row) * n + from, source + static_cast<size_t>(row) * n + to,
              pixels.begin() + static_cast<std::ptrdiff_t>(y + row) * width + x + from);
  }
}

void CSurface::AlphaFromBrightness() {
  for (uint32_t& p : pixels) {
    const uint32_t sum = (p & 255) + ((p >> 8) & 255) + ((p >> 16) & 255);
    p = (p & 0x00FFFFFFu) | (sum / 3) << 24;
  }
}

void CSurface::ApplyColorMode(int mode) {
  if (mode < kColorMonochrome || mode > kColorNegative) return;
  const int* m = kColorMatrices[mode];
  for (uint32_t& p : pixels) {
    const int b = static_cast<int>(p & 255);
    const int g = static_cast<int>((p >> 8) & 255);
    const int r = static_cast<int>((p >> 16) & 255);
    p = (p & 0xFF000000u) | MatrixChannel(m, r, g, b) << 16 | MatrixChannel(m + 4, r, g, b) << 8 |
        MatrixChannel(m + 8, r, g, b);
  }
}

void CSurface::Blit(const SDrawTarget& target, int x, int y, int w, int h, int sx, int sy,
                    uint32_t colour) const {
  if (scale != 1.0f) {
    DrawStretched(target, static_cast<float>(x), static_cast<float>(y),
                  static_cast<float>(x) + static_cast<float>(w),
                  static_cast<float>(y) + static_cast<float>(h), sx, sy, AddClamped(sx, w), AddClamped(sy, h),
                  colour, false);
    return;
  }
  if (IsEmpty() || target.IsEmpty()) return;
  // Clipping runs in 64 bits so that no coordinate from a data file can overflow.
  int64_t dx = x, dy = y, srcX = sx, srcY = sy;
  int64_t cw = std::min(w, width), ch = std::min(h, height);
  // Cut the source rectangle to the surface, moving the destination along, then the other way round.
  if (srcX < 0) dx -= srcX, cw += srcX, srcX = 0;
  if (srcY < 0) dy -= srcY, ch += srcY, srcY = 0;
  cw = std::min(cw, width - srcX);
  ch = std::min(ch, height - srcY);
  if (dx < 0) srcX -= dx, cw += dx, dx = 0;
  if (dy < 0) srcY -= dy, ch += dy, dy = 0;
  cw = std::min(cw, target.width - dx);
  ch = std::min(ch, target.height - dy);
  if (cw < 1 || ch < 1) return;
  BlendRect(target, static_cast<int>(dx), static_cast<int>(dy), static_cast<int>(cw), static_cast<int>(ch),
            static_cast<int>(srcX), static_cast<int>(srcY), colour);
}

void CSurface::BlendRect(const SDrawTarget& target, int x, int y, int w, int h, int sx, int sy,
                         uint32_t colour) const {
  const pixelblend::SModulation m = pixelblend::MakeModulation(colour);
  for (int row = 0; row < h; ++row) {
    int32_t left = x;
    int32_t right = x + w;
    target.ClipRow(y + row, left, right);
    if (left >= right) continue;
    const uint32_t* src = pixels.data() + static_cast<size_t>(sy + row) * width + sx + (left - x);
    pixelblend::BlendRow(target.Row(y + row) + left, src, right - left, m, pixelblend::EBlendMode::kBlit);
  }
}

void CSurface::DrawStretched(const SDrawTarget& target, float x0, float y0, float x1, float y1, int sx0,
                             int sy0, int sx1, int sy1, uint32_t colour, bool additive) const {
  if (IsEmpty() || target.IsEmpty()) return;
  if (ToInt(x1 - x0 + 0.5f) == int64_t{sx1} - sx0 && ToInt(y1 - y0 + 0.5f) == int64_t{sy1} - sy0 &&
      !additive && scale == 1.0f && ToInt(std::floor(x0)) == std::floor(x0) &&
      ToInt(std::floor(y0)) == std::floor(y0)) {
    Blit(target, static_cast<int>(std::floor(x0)), static_cast<int>(std::floor(y0)), sx1 - sx0, sy1 - sy0,
         sx0, sy0, colour);
    return;
  }
  const STexturedVertex tl{x0, y0, static_cast<double>(sx0), static_cast<double>(sy0)};
  const STexturedVertex tr{x1, y0, static_cast<double>(sx1), static_cast<double>(sy0)};
  const STexturedVertex br{x1, y1, static_cast<double>(sx1), static_cast<double>(sy1)};
  const STexturedVertex bl{x0, y1, static_cast<double>(sx0), static_cast<double>(sy1)};
  // Mirrored in exactly one direction turns the corners round; both triangles keep a positive area.
  if ((x1 <= x0) != (y1 <= y0)) {
    DrawTexturedTriangle(target, tl, br, tr, colour, additive);
    DrawTexturedTriangle(target, tl, bl, br, colour, additive);
  } else {
    DrawTexturedTriangle(target, tl, tr, br, colour, additive);
    DrawTexturedTriangle(target, tl, br, bl, colour, additive);
  }
}

void CSurface::DrawTexturedTriangle(const SDrawTarget& target, const STexturedVertex& a,
                                    const STexturedVertex& b, const STexturedVertex& c, uint32_t colour,
                                    bool additive) const {
  if (IsEmpty()) return;
  const raster::SVertex v[3] = {{a.x, a.y}, {b.x, b.y}, {c.x, c.y}};
  const double us[3] = {a.u * scale, b.u * scale, c.u * scale};
  const double vs[3] = {a.v * scale, b.v * scale, c.v * scale};
  const raster::SPlane uPlane = raster::FitPlane(v, us);
  const raster::SPlane vPlane = raster::FitPlane(v, vs);
  const pixelblend::SModulation m = pixelblend::MakeModulation(colour);
  const auto mode = additive ? pixelblend::EBlendMode::kAdditive : pixelblend::EBlendMode::kOver;
  pixelblend::STexelWalk walk{pixels.data(), width, height, 0, 0, ToFixed(uPlane.dx), ToFixed(vPlane.dx)};
  raster::ForEachRun(target, v, [&](int row, int32_t left, int32_t right, double yc) {
    walk.u = ToFixed(uPlane(left + 0.5, yc));
    walk.v = ToFixed(vPlane(left + 0.5, yc));
    uint32_t texels[kGatherChunk];
    for (int32_t x = left; x < right; x += kGatherChunk) {
      const int n = std::min<int32_t>(kGatherChunk, right - x);
      pixelblend::GatherTexels(texels, n, walk);
      pixelblend::BlendRow(target.Row(row) + x, texels, n, m, mode);
      walk.u += walk.du * n;
      walk.v += walk.dv * n;
    }
  });
}

#include "gfx/Surface.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

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

// Texels of one triangle run are gathered here and blended in pieces of this many pixels.
constexpr int kGatherChunk = 256;

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
    DrawStretched(target, static_cast<float>(x), static_cast<float>(y), static_cast<float>(x + w),
                  static_cast<float>(y + h), sx, sy, sx + w, sy + h, colour, false);
    return;
  }
  if (IsEmpty() || target.IsEmpty()) return;
  w = std::min(w, width);
  h = std::min(h, height);
  // Cut the source rectangle to the surface, moving the destination along, then the other way round.
  if (sx < 0) x -= sx, w += sx, sx = 0;
  if (sy < 0) y -= sy, h += sy, sy = 0;
  w = std::min(w, width - sx);
  h = std::min(h, height - sy);
  if (x < 0) sx -= x, w += x, x = 0;
  if (y < 0) sy -= y, h += y, y = 0;
  w = std::min(w, target.width - x);
  h = std::min(h, target.height - y);
  if (w < 1 || h < 1) return;
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
  if (static_cast<int>(x1 - x0 + 0.5f) == sx1 - sx0 && static_cast<int>(y1 - y0 + 0.5f) == sy1 - sy0 &&
      !additive && scale == 1.0f) {
    Blit(target, static_cast<int>(std::floor(x0)), static_cast<int>(std::floor(y0)), sx1 - sx0, sy1 - sy0,
         sx0, sy0, colour);
    return;
  }
  const double tl[4] = {x0, y0, static_cast<double>(sx0), static_cast<double>(sy0)};
  const double tr[4] = {x1, y0, static_cast<double>(sx1), static_cast<double>(sy0)};
  const double br[4] = {x1, y1, static_cast<double>(sx1), static_cast<double>(sy1)};
  const double bl[4] = {x0, y1, static_cast<double>(sx0), static_cast<double>(sy1)};
  // Mirrored in exactly one direction turns the corners round; both triangles keep a positive area.
  const bool mirrored = (x1 <= x0) != (y1 <= y0);
  const double(*order[2][3])[4] = {{&tl, &tr, &br}, {&tl, &br, &bl}};
  const double(*mirroredOrder[2][3])[4] = {{&tl, &br, &tr}, {&tl, &bl, &br}};
  for (const auto& triangle : mirrored ? mirroredOrder : order) {
    double corners[3][4];
    for (int i = 0; i < 3; ++i) std::copy(*triangle[i], *triangle[i] + 4, corners[i]);
    DrawTexturedTriangle(target, corners, colour, additive);
  }
}

void CSurface::DrawTexturedTriangle(const SDrawTarget& target, const double corners[3][4], uint32_t colour,
                                    bool additive) const {
  const raster::SVertex v[3] = {
      {corners[0][0], corners[0][1]}, {corners[1][0], corners[1][1]}, {corners[2][0], corners[2][1]}};
  const double us[3] = {corners[0][2] * scale, corners[1][2] * scale, corners[2][2] * scale};
  const double vs[3] = {corners[0][3] * scale, corners[1][3] * scale, corners[2][3] * scale};
  const raster::SPlane uPlane = raster::FitPlane(v, us);
  const raster::SPlane vPlane = raster::FitPlane(v, vs);
  const pixelblend::SModulation m = pixelblend::MakeModulation(colour);
  const auto mode = additive ? pixelblend::EBlendMode::kAdditive : pixelblend::EBlendMode::kOver;
  const int64_t du = static_cast<int64_t>(uPlane.dx * 65536.0);
  const int64_t dv = static_cast<int64_t>(vPlane.dx * 65536.0);
  raster::ForEachRun(target, v, [&](int row, int32_t left, int32_t right, double yc) {
    int64_t u = static_cast<int64_t>(std::floor(uPlane(left + 0.5, yc) * 65536.0));
    int64_t t = static_cast<int64_t>(std::floor(vPlane(left + 0.5, yc) * 65536.0));
    uint32_t texels[kGatherChunk];
    for (int32_t x = left; x < right; x += kGatherChunk) {
      const int n = std::min<int32_t>(kGatherChunk, right - x);
      for (int i = 0; i < n; ++i, u += du, t += dv) {
        const int64_t tu = u >> 16;
        const int64_t tv = t >> 16;
        // Texels outside the image are skipped: a zero pixel leaves the screen unchanged.
        const bool inside = tu >= 0 && tv >= 0 && tu < width && tv < height;
        texels[i] = inside ? pixels[static_cast<size_t>(tv) * width + static_cast<size_t>(tu)] : 0;
      }
      pixelblend::BlendRow(target.Row(row) + x, texels, n, m, mode);
    }
  });
}

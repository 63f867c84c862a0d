#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/DrawTarget.h"

// An image in memory: 32-bit pixels (bytes B, G, R, A; rows top-down, stride width pixels), loaded
// from a PNG, TIM2 or BMP file or created blank, optionally resampled at load time by a quality scale.
// Drawing operations write into an SDrawTarget (the screen, clipped to its dirty spans, or another
// block of pixels) and never mark anything dirty themselves.
class CSurface {
 public:
  // The largest side and pixel count a surface accepts; larger images are refused as damaged.
  static constexpr int kMaxSide = 16384;
  static constexpr int64_t kMaxPixels = int64_t{1} << 25;

  // Colour modes of ApplyColorMode.
  enum EColorMode { kColorNone = 0, kColorMonochrome = 1, kColorSepia = 2, kColorNegative = 3 };

  // A zeroed surface of the given size at scale 1; false (and empty) for a size out of range.
  bool CreateBlank(int width, int height);
  // Loads by extension (PNG, TM2, anything else BMP), then resamples when the scale, clamped to
  // [0.1, 2.0], is not 1. False and empty when the file is missing or not a valid image.
  bool Load(const std::string& name, float scale = 1.0f);
  void Clear();
  // Replaces the contents with zeroed pixels of the given size at scale 1, for the decoders; nullptr
  // (and empty) for a size out of range.
  uint32_t* Allocate(int width, int height);

  bool IsEmpty() const { return pixels.empty(); }
  int Width() const { return width; }
  int Height() const { return height; }
  int BaseWidth() const { return baseWidth; }
  int BaseHeight() const { return baseHeight; }
  float Scale() const { return scale; }
  uint32_t* Pixels() { return pixels.data(); }
  const uint32_t* Pixels() const { return pixels.data(); }
  uint32_t Pixel(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // This surface as a drawing target without a clip.
  SDrawTarget AsTarget() { return SDrawTarget::Unclipped(pixels.data(), width, height); }

  // Copies count rows of n pixels from source (stride n) to (x, y), cut to the surface.
  void PutPixels(int x, int y, int n, int count, const uint32_t* source);
  // A := (R + G + B) / 3 for every pixel (mask images).
  void AlphaFromBrightness();
  // Applies colour mode 0-3 to the pixels in place; other values change nothing.
  void ApplyColorMode(int mode);
  // Resamples the pixels bilinearly to round(scale x base size); the scale is clamped to [0.1, 2.0].
  void Rescale(float newScale);

  // 1:1 copy of the source rectangle (sx, sy, w, h) to (x, y) with colour modulation and alpha
  // blending. A surface with a scale other than 1 is drawn through DrawStretched.
  void Blit(const SDrawTarget& target, int x, int y, int w, int h, int sx, int sy, uint32_t colour) const;
  // Maps the source rectangle (base-size coordinates) onto the destination rectangle through two
  // textured triangles; x1 < x0 or y1 < y0 mirrors the image.
  void DrawStretched(const SDrawTarget& target, float x0, float y0, float x1, float y1, int sx0, int sy0,
                     int sx1, int sy1, uint32_t colour, bool additive) const;

  // A corner of a textured triangle: screen position and texture position in base-size coordinates.
  struct STexturedVertex {
    double x = 0;
    double y = 0;
    double u = 0;
    double v = 0;
  };
  // A triangle textured from this surface: nearest texels, texels outside the surface left out,
  // source-over (or additive) blending with the colour. Only a triangle with positive signed area
  // ((b - a) x (c - a) on the screen, y downwards) is drawn.
  void DrawTexturedTriangle(const SDrawTarget& target, const STexturedVertex& a, const STexturedVertex& b,
                            const STexturedVertex& c, uint32_t colour, bool additive) const;

 private:
  // Blends the source rectangle, already cut to the surface and the target, row by row within the clip.
  void BlendRect(const SDrawTarget& target, int x, int y, int w, int h, int sx, int sy,
                 uint32_t colour) const;

  std::vector<uint32_t> pixels;
  int width = 0;
  int height = 0;
  int baseWidth = 0;
  int baseHeight = 0;
  float scale = 1.0f;
};

#pragma once
#include <cstdint>

// The per-pixel arithmetic shared by every drawing operation. Pixels are 32-bit values whose bytes in
// memory are B, G, R, A; colours are 0xAARRGGBB. Every row function exists as a portable loop and as
// SSE2/AVX2 loops that produce exactly the same bytes; the fastest one the processor supports is used.
namespace pixelblend {

// Factors of a modulation colour: channel factors 0-128 (255 gives 128) and the alpha factor 0-129.
struct SModulation {
  uint16_t kB = 128;
  uint16_t kG = 128;
  uint16_t kR = 128;
  uint16_t kA = 129;
  // 0xFFFFFFFF: opaque source pixels are copied unchanged.
  bool identity = true;
};

SModulation MakeModulation(uint32_t colour);
// Fill alpha 0-256 of a colour (255 gives 256, 128 gives 128).
uint32_t FillAlpha(uint32_t colour);

enum class EBlendMode {
  kBlit,      // source-over; screen pixels stay unchanged where the source alpha is below 8
  kOver,      // source-over of every pixel
  kAdditive,  // colours added with saturation; alpha as source-over
};

// One pixel of source-over (or additive) blending, the reference for every row loop.
inline uint32_t BlendPixel(uint32_t p, uint32_t s, const SModulation& m, EBlendMode mode) {
  const int32_t sa = static_cast<int32_t>(s >> 24);
  if (mode == EBlendMode::kBlit && sa < 8) return p;
  const int32_t w = (sa * m.kA) >> 8;
  const uint16_t k[3] = {m.kB, m.kG, m.kR};
  uint32_t out = 0;
  for (int c = 0; c < 3; ++c) {
    const int32_t pc = static_cast<int32_t>((p >> (8 * c)) & 255);
    const int32_t t = (static_cast<int32_t>((s >> (8 * c)) & 255) * k[c]) >> 7;
    int32_t v = 0;
    if (mode == EBlendMode::kAdditive) {
      v = pc + ((w * t) >> 7);
      if (v > 255) v = 255;
    } else {
      v = pc + ((w * (t - pc)) >> 7);
    }
    out |= static_cast<uint32_t>(v) << (8 * c);
  }
  const int32_t pa = static_cast<int32_t>(p >> 24);
  return out | static_cast<uint32_t>(pa + ((w * (255 - pa)) >> 7)) << 24;
}

// One pixel of the translucent fill with fill alpha d (0-256).
inline uint32_t FillPixel(uint32_t p, uint32_t colour, uint32_t d) {
  uint32_t out = 0;
  for (int c = 0; c < 3; ++c) {
    const uint32_t cc = (colour >> (8 * c)) & 255;
    const uint32_t pc = (p >> (8 * c)) & 255;
    out |= ((cc * d + pc * (256 - d)) >> 8) << (8 * c);
  }
  return out | ((255 * d + (p >> 24) * (256 - d)) >> 8) << 24;
}

// Blends n source pixels onto n destination pixels.
void BlendRow(uint32_t* dst, const uint32_t* src, int n, const SModulation& m, EBlendMode mode);
// Fills n pixels with a colour at fill alpha d.
void FillRow(uint32_t* dst, int n, uint32_t colour, uint32_t d);

// A row of texels read from a picture at 16.16 fixed-point positions: the first at (u, v), each next
// one (du, dv) further, the texel at (u >> 16, v >> 16). Texels outside the picture are transparent.
struct STexelWalk {
  const uint32_t* pixels = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int64_t u = 0;
  int64_t v = 0;
  int64_t du = 0;
  int64_t dv = 0;

  uint32_t Texel(int i) const {
    const uint64_t x = static_cast<uint64_t>((u + du * i) >> 16),
                   y = static_cast<uint64_t>((v + dv * i) >> 16);
    return x < static_cast<uint64_t>(width) && y < static_cast<uint64_t>(height)
               ? pixels[y * static_cast<uint64_t>(width) + x]
               : 0;
  }
};

// The n texels of a walk (the textured meshes).
void GatherTexels(uint32_t* out, int n, const STexelWalk& walk);

// The individual implementations, for tests and benchmarks that compare them.
enum class EKernel { kScalar, kSse2, kAvx2 };
bool KernelSupported(EKernel kernel);
void BlendRowWith(EKernel kernel, uint32_t* dst, const uint32_t* src, int n, const SModulation& m,
                  EBlendMode mode);
void FillRowWith(EKernel kernel, uint32_t* dst, int n, uint32_t colour, uint32_t d);

// Implementations in their own translation units.
void BlendRowSse2(uint32_t* dst, const uint32_t* src, int n, const SModulation& m, EBlendMode mode);
void BlendRowAvx2(uint32_t* dst, const uint32_t* src, int n, const SModulation& m, EBlendMode mode);
void FillRowSse2(uint32_t* dst, int n, uint32_t colour, uint32_t d);
void FillRowAvx2(uint32_t* dst, int n, uint32_t colour, uint32_t d);

}  // namespace pixelblend

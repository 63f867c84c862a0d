#include "gfx/PixelBlend.h"

#include <cstddef>
#include <cstring>

namespace pixelblend {

namespace {

// Divisions by 255 done as multiplications by a reciprocal, exact for 0-255.
uint16_t ChannelFactor(uint32_t c) { return static_cast<uint16_t>((uint64_t{c} * 2155905153u) >> 32); }

void BlendRowScalar(uint32_t* dst, const uint32_t* src, int n, const SModulation& m, EBlendMode mode) {
  for (int i = 0; i < n; ++i) dst[i] = BlendPixel(dst[i], src[i], m, mode);
}

void FillRowScalar(uint32_t* dst, int n, uint32_t colour, uint32_t d) {
  for (int i = 0; i < n; ++i) dst[i] = FillPixel(dst[i], colour, d);
}

EKernel DetectKernel() {
  if (KernelSupported(EKernel::kAvx2)) return EKernel::kAvx2;
  return KernelSupported(EKernel::kSse2) ? EKernel::kSse2 : EKernel::kScalar;
}

EKernel BestKernel() {
  static const EKernel kernel = DetectKernel();
  return kernel;
}

}  // namespace

SModulation MakeModulation(uint32_t colour) {
  SModulation m;
  m.kB = ChannelFactor(colour & 255);
  m.kG = ChannelFactor((colour >> 8) & 255);
  m.kR = ChannelFactor((colour >> 16) & 255);
  m.kA = static_cast<uint16_t>((uint64_t{colour >> 24} * 0x40C0C0C101ull) >> 39);
  m.identity = colour == 0xFFFFFFFFu;
  return m;
}

uint32_t FillAlpha(uint32_t colour) {
  return static_cast<uint32_t>((uint64_t{colour >> 24} * 2155905153u) >> 31);
}

bool KernelSupported(EKernel kernel) {
  // The processor check may run before the runtime's own start-up code (from a static constructor).
  __builtin_cpu_init();
  switch (kernel) {
    case EKernel::kScalar:
      return true;
    case EKernel::kSse2:
      return __builtin_cpu_supports("sse2");
    case EKernel::kAvx2:
      return __builtin_cpu_supports("avx2");
  }
  return false;
}

void BlendRowWith(EKernel kernel, uint32_t* dst, const uint32_t* src, int n, const SModulation& m,
                  EBlendMode mode) {
  switch (kernel) {
    case EKernel::kScalar:
      BlendRowScalar(dst, src, n, m, mode);
      break;
    case EKernel::kSse2:
      BlendRowSse2(dst, src, n, m, mode);
      break;
    case EKernel::kAvx2:
      BlendRowAvx2(dst, src, n, m, mode);
      break;
  }
}

void FillRowWith(EKernel kernel, uint32_t* dst, int n, uint32_t colour, uint32_t d) {
  switch (kernel) {
    case EKernel::kScalar:
      FillRowScalar(dst, n, colour, d);
      break;
    case EKernel::kSse2:
      FillRowSse2(dst, n, colour, d);
      break;
    case EKernel::kAvx2:
      FillRowAvx2(dst, n, colour, d);
      break;
  }
}

void BlendRow(uint32_t* dst, const uint32_t* src, int n, const SModulation& m, EBlendMode mode) {
  BlendRowWith(BestKernel(), dst, src, n, m, mode);
}

void FillRow(uint32_t* dst, int n, uint32_t colour, uint32_t d) {
  FillRowWith(BestKernel(), dst, n, colour, d);
}

void GatherTexels(uint32_t* out, int n, const STexelWalk& walk) {
  if (n <= 0) return;
  const int64_t last = n - 1, width = int64_t{walk.width} << 16, height = int64_t{walk.height} << 16;
  const auto within = [](int64_t from, int64_t to, int64_t size) {
    return from >= 0 && from < size && to >= 0 && to < size;
  };
  if (!within(walk.u, walk.u + walk.du * last, width) || !within(walk.v, walk.v + walk.dv * last, height)) {
    for (int i = 0; i < n; ++i) out[i] = walk.Texel(i);
    return;
  }
  // Both ends inside the picture: so is every position between them, and every position fits in 32
  // bits (pictures are far smaller than 32768 pixels a side... or the 64-bit loop runs).
  const uint32_t* pixels = walk.pixels;
  const size_t stride = static_cast<size_t>(walk.width);
  if (walk.dv == 0) {
    // One row of the picture: a copy when the texels are not scaled either.
    const uint32_t* row = pixels + static_cast<size_t>(walk.v >> 16) * stride;
    if (walk.du == 65536) {
      std::memcpy(out, row + (walk.u >> 16), static_cast<size_t>(n) * sizeof(uint32_t));
      return;
    }
    int64_t u = walk.u;
    for (int i = 0; i < n; ++i, u += walk.du) out[i] = row[u >> 16];
    return;
  }
  int64_t u = walk.u, v = walk.v;
  for (int i = 0; i < n; ++i, u += walk.du, v += walk.dv)
    out[i] = pixels[static_cast<size_t>(v >> 16) * stride + static_cast<size_t>(u >> 16)];
}

}  // namespace pixelblend

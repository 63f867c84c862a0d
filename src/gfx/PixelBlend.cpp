#include "gfx/PixelBlend.h"

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

}  // namespace pixelblend

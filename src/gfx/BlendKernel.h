#pragma once
// Vector forms of the row loops of PixelBlend, written once over a vector-traits type V and
// instantiated by each instruction-set translation unit (PixelBlendSse2.cpp, PixelBlendAvx2.cpp).
// Everything here has internal linkage so that code compiled for one instruction set never ends up
// shared with another translation unit. Include from those units only.
//
// Pixels are widened to 16-bit lanes (B, G, R, A per pixel). Every intermediate product stays within
// 16 bits, so the lane arithmetic equals the integer formulas of BlendPixel and FillPixel exactly.
#include <cstdint>

#include "gfx/PixelBlend.h"

namespace {

using pixelblend::EBlendMode;
using pixelblend::SModulation;

using TailBlend = void (*)(uint32_t*, const uint32_t*, int, const SModulation&, EBlendMode);
using TailFill = void (*)(uint32_t*, int, uint32_t, uint32_t);

template <class V>
struct SBlendConstants {
  typename V::T k;           // channel factors; 0 in the alpha lane
  typename V::T ka;          // alpha factor in every lane
  typename V::T alpha255;    // 255 in the alpha lane: the blend target of the screen alpha
  typename V::T alphaLanes;  // all ones in the alpha lane
  typename V::T eight;       // 8 in every 32-bit lane
  typename V::T opaque;      // 0xFF000000 in every 32-bit lane

  explicit SBlendConstants(const SModulation& m)
      : k(V::Set16(m.kB, m.kG, m.kR, 0)),
        ka(V::Set16(m.kA, m.kA, m.kA, m.kA)),
        alpha255(V::Set16(0, 0, 0, 255)),
        alphaLanes(V::Set16(0, 0, 0, 0xFFFF)),
        eight(V::Set32(8)),
        opaque(V::Set32(0xFF000000u)) {}
};

// Blends the widened source pixels s onto the widened screen pixels p. With white RGB factors (128)
// the modulated colour (s * 128) >> 7 is s itself, which saves the multiplication.
template <class V, EBlendMode kMode, bool kWhite>
typename V::T BlendHalf(typename V::T s, typename V::T p, const SBlendConstants<V>& c) {
  using T = typename V::T;
  const T w = V::template Srl16<8>(V::Mul16(V::BroadcastAlpha16(s), c.ka));
  const T t = V::Or(kWhite ? s : V::template Srl16<7>(V::Mul16(s, c.k)), c.alpha255);
  const T over = V::Add16(p, V::template Sra16<7>(V::Mul16(w, V::Sub16(t, p))));
  if constexpr (kMode != EBlendMode::kAdditive) {
    return over;
  } else {
    // The pack to bytes saturates, which is the min(255, ...) of additive drawing.
    const T added = V::Add16(p, V::template Srl16<7>(V::Mul16(w, t)));
    return V::Select(c.alphaLanes, over, added);
  }
}

template <class V, EBlendMode kMode, bool kWhite>
void BlendRowVector(uint32_t* dst, const uint32_t* src, int n, const SModulation& m, TailBlend tail) {
  using T = typename V::T;
  const SBlendConstants<V> c(m);
  const T zero = V::Zero();
  const bool copyOpaque = m.identity && kMode != EBlendMode::kAdditive;
  int i = 0;
  for (; i + V::kPixels <= n; i += V::kPixels) {
    const T s = V::Load(src + i);
    T low = zero;
    if constexpr (kMode == EBlendMode::kBlit) {
      low = V::CmpGt32(c.eight, V::template Srl32<24>(s));
      if (V::AllSet(low)) continue;
    }
    if (copyOpaque && V::AllSet(V::CmpEq32(V::And(s, c.opaque), c.opaque))) {
      V::Store(dst + i, s);
      continue;
    }
    const T p = V::Load(dst + i);
    T r = V::Pack(BlendHalf<V, kMode, kWhite>(V::UnpackLo8(s, zero), V::UnpackLo8(p, zero), c),
                  BlendHalf<V, kMode, kWhite>(V::UnpackHi8(s, zero), V::UnpackHi8(p, zero), c));
    if constexpr (kMode == EBlendMode::kBlit) r = V::Select(low, p, r);
    V::Store(dst + i, r);
  }
  if (i < n) tail(dst + i, src + i, n - i, m, kMode);
}

template <class V, bool kWhite>
void BlendRowForMode(uint32_t* dst, const uint32_t* src, int n, const SModulation& m, EBlendMode mode,
                     TailBlend tail) {
  switch (mode) {
    case EBlendMode::kBlit:
      BlendRowVector<V, EBlendMode::kBlit, kWhite>(dst, src, n, m, tail);
      break;
    case EBlendMode::kOver:
      BlendRowVector<V, EBlendMode::kOver, kWhite>(dst, src, n, m, tail);
      break;
    case EBlendMode::kAdditive:
      BlendRowVector<V, EBlendMode::kAdditive, kWhite>(dst, src, n, m, tail);
      break;
  }
}

template <class V>
void BlendRowDispatch(uint32_t* dst, const uint32_t* src, int n, const SModulation& m, EBlendMode mode,
                      TailBlend tail) {
  if (m.kB == 128 && m.kG == 128 && m.kR == 128) {
    BlendRowForMode<V, true>(dst, src, n, m, mode, tail);
  } else {
    BlendRowForMode<V, false>(dst, src, n, m, mode, tail);
  }
}

template <class V>
void FillRowVector(uint32_t* dst, int n, uint32_t colour, uint32_t d, TailFill tail) {
  using T = typename V::T;
  const auto scaled = [d](uint32_t value) { return static_cast<uint16_t>(value * d); };
  const T cd =
      V::Set16(scaled(colour & 255), scaled((colour >> 8) & 255), scaled((colour >> 16) & 255), scaled(255));
  const uint16_t inverse = static_cast<uint16_t>(256 - d);
  const T inv = V::Set16(inverse, inverse, inverse, inverse);
  const T zero = V::Zero();
  int i = 0;
  for (; i + V::kPixels <= n; i += V::kPixels) {
    const T p = V::Load(dst + i);
    const T lo = V::template Srl16<8>(V::Add16(cd, V::Mul16(V::UnpackLo8(p, zero), inv)));
    const T hi = V::template Srl16<8>(V::Add16(cd, V::Mul16(V::UnpackHi8(p, zero), inv)));
    V::Store(dst + i, V::Pack(lo, hi));
  }
  if (i < n) tail(dst + i, n - i, colour, d);
}

}  // namespace

// SSE2 forms of the row loops; SSE2 is part of every x86-64 processor.
#include <emmintrin.h>

#include "gfx/BlendKernel.h"

namespace pixelblend {

namespace {

struct SVector128 {
  using T = __m128i;
  static constexpr int kPixels = 4;
  static T Load(const uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const T*>(p)); }
  static void Store(uint32_t* p, T v) { _mm_storeu_si128(reinterpret_cast<T*>(p), v); }
  static T Zero() { return _mm_setzero_si128(); }
  static T Set16(uint16_t b, uint16_t g, uint16_t r, uint16_t a) {
    return _mm_setr_epi16(static_cast<short>(b), static_cast<short>(g), static_cast<short>(r),
                          static_cast<short>(a), static_cast<short>(b), static_cast<short>(g),
                          static_cast<short>(r), static_cast<short>(a));
  }
  static T Set32(uint32_t v) { return _mm_set1_epi32(static_cast<int>(v)); }
  static T UnpackLo8(T a, T b) { return _mm_unpacklo_epi8(a, b); }
  static T UnpackHi8(T a, T b) { return _mm_unpackhi_epi8(a, b); }
  static T Pack(T lo, T hi) { return _mm_packus_epi16(lo, hi); }
  static T Add16(T a, T b) { return _mm_add_epi16(a, b); }
  static T Sub16(T a, T b) { return _mm_sub_epi16(a, b); }
  static T Mul16(T a, T b) { return _mm_mullo_epi16(a, b); }
  template <int N>
  static T Srl16(T a) {
    return _mm_srli_epi16(a, N);
  }
  template <int N>
  static T Sra16(T a) {
    return _mm_srai_epi16(a, N);
  }
  template <int N>
  static T Srl32(T a) {
    return _mm_srli_epi32(a, N);
  }
  static T And(T a, T b) { return _mm_and_si128(a, b); }
  static T Or(T a, T b) { return _mm_or_si128(a, b); }
  static T Select(T mask, T a, T b) {
    return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
  }
  static T CmpGt32(T a, T b) { return _mm_cmpgt_epi32(a, b); }
  static T CmpEq32(T a, T b) { return _mm_cmpeq_epi32(a, b); }
  static bool AllSet(T mask) { return _mm_movemask_epi8(mask) == 0xFFFF; }
  static T BroadcastAlpha16(T a) {
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(a, _MM_SHUFFLE(3, 3, 3, 3)), _MM_SHUFFLE(3, 3, 3, 3));
  }
};

void ScalarBlendTail(uint32_t* dst, const uint32_t* src, int n, const SModulation& m, EBlendMode mode) {
  BlendRowWith(EKernel::kScalar, dst, src, n, m, mode);
}

void ScalarFillTail(uint32_t* dst, int n, uint32_t colour, uint32_t d) {
  FillRowWith(EKernel::kScalar, dst, n, colour, d);
}

}  // namespace

void BlendRowSse2(uint32_t* dst, const uint32_t* src, int n, const SModulation& m, EBlendMode mode) {
  BlendRowDispatch<SVector128>(dst, src, n, m, mode, ScalarBlendTail);
}

void FillRowSse2(uint32_t* dst, int n, uint32_t colour, uint32_t d) {
  FillRowVector<SVector128>(dst, n, colour, d, ScalarFillTail);
}

}  // namespace pixelblend

// AVX2 forms of the row loops, eight pixels at a time. This unit is compiled with -mavx2 and runs only
// when the processor reports AVX2; its leftover pixels go to the SSE2 loops in their own unit.
#include <immintrin.h>

#include "gfx/BlendKernel.h"

namespace pixelblend {

namespace {

// Unpack and pack work within each 128-bit half, so a pack after the two unpacks restores the order.
struct SVector256 {
  using T = __m256i;
  static constexpr int kPixels = 8;
  static T Load(const uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const T*>(p)); }
  static void Store(uint32_t* p, T v) { _mm256_storeu_si256(reinterpret_cast<T*>(p), v); }
  static T Zero() { return _mm256_setzero_si256(); }
  static T Set16(uint16_t b, uint16_t g, uint16_t r, uint16_t a) {
    const uint64_t q = uint64_t{b} | uint64_t{g} << 16 | uint64_t{r} << 32 | uint64_t{a} << 48;
    return _mm256_set1_epi64x(static_cast<long long>(q));
  }
  static T Set32(uint32_t v) { return _mm256_set1_epi32(static_cast<int>(v)); }
  static T UnpackLo8(T a, T b) { return _mm256_unpacklo_epi8(a, b); }
  static T UnpackHi8(T a, T b) { return _mm256_unpackhi_epi8(a, b); }
  static T Pack(T lo, T hi) { return _mm256_packus_epi16(lo, hi); }
  static T Add16(T a, T b) { return _mm256_add_epi16(a, b); }
  static T Sub16(T a, T b) { return _mm256_sub_epi16(a, b); }
  static T Mul16(T a, T b) { return _mm256_mullo_epi16(a, b); }
  template <int N>
  static T Srl16(T a) {
    return _mm256_srli_epi16(a, N);
  }
  template <int N>
  static T Sra16(T a) {
    return _mm256_srai_epi16(a, N);
  }
  template <int N>
  static T Srl32(T a) {
    return _mm256_srli_epi32(a, N);
  }
  static T And(T a, T b) { return _mm256_and_si256(a, b); }
  static T Or(T a, T b) { return _mm256_or_si256(a, b); }
  static T Select(T mask, T a, T b) { return _mm256_blendv_epi8(b, a, mask); }
  static T CmpGt32(T a, T b) { return _mm256_cmpgt_epi32(a, b); }
  static T CmpEq32(T a, T b) { return _mm256_cmpeq_epi32(a, b); }
  static bool AllSet(T mask) { return _mm256_movemask_epi8(mask) == -1; }
  static T BroadcastAlpha16(T a) {
    return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(a, _MM_SHUFFLE(3, 3, 3, 3)),
                                  _MM_SHUFFLE(3, 3, 3, 3));
  }
};

}  // namespace

void BlendRowAvx2(uint32_t* dst, const uint32_t* src, int n, const SModulation& m, EBlendMode mode) {
  BlendRowDispatch<SVector256>(dst, src, n, m, mode, BlendRowSse2);
}

void FillRowAvx2(uint32_t* dst, int n, uint32_t colour, uint32_t d) {
  FillRowVector<SVector256>(dst, n, colour, d, FillRowSse2);
}

}  // namespace pixelblend

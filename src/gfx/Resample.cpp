#include "gfx/Resample.h"

#include <algorithm>

namespace {

// The two source indices and the weight of the upper one for output position k.
struct STap {
  int lower;
  int upper;
  uint32_t fraction;
};

std::vector<STap> MakeTaps(int size, int count, uint32_t step) {
  std::vector<STap> taps(static_cast<size_t>(count));
  uint64_t position = step / 2 + 32768;
  for (int k = 0; k < count; ++k, position += step) {
    const int i = static_cast<int>(std::min<uint64_t>(position >> 16, static_cast<uint64_t>(size)));
    taps[k].lower = position < 131072 ? 0 : std::min(i - 1, size - 1);
    taps[k].upper = std::min(i, size - 1);
    taps[k].fraction = static_cast<uint32_t>((position >> 8) & 255);
  }
  return taps;
}

uint32_t Mix(const uint32_t corner[4], const uint32_t weight[4]) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    uint32_t sum = 0;
    for (int j = 0; j < 4; ++j) sum += ((corner[j] >> shift) & 255) * weight[j];
    out |= (sum >> 16) << shift;
  }
  return out;
}

}  // namespace

std::vector<uint32_t> ResampleBilinear(const uint32_t* source, int width, int height, int newWidth,
                                       int newHeight, float scale) {
  const uint32_t step = static_cast<uint32_t>(65536.0f / scale);
  const std::vector<STap> columns = MakeTaps(width, newWidth, step);
  const std::vector<STap> rows = MakeTaps(height, newHeight, step);
  std::vector<uint32_t> out(static_cast<size_t>(newWidth) * newHeight);
  uint32_t* dst = out.data();
  for (const STap& ty : rows) {
    const uint32_t* lowRow = source + static_cast<size_t>(ty.lower) * width;
    const uint32_t* highRow = source + static_cast<size_t>(ty.upper) * width;
    for (const STap& tx : columns) {
      const uint32_t fx = tx.fraction;
      const uint32_t fy = ty.fraction;
      const uint32_t corner[4] = {lowRow[tx.lower], lowRow[tx.upper], highRow[tx.lower], highRow[tx.upper]};
      const uint32_t weight[4] = {(256 - fx) * (256 - fy), fx * (256 - fy), (256 - fx) * fy, fx * fy};
      *dst++ = Mix(corner, weight);
    }
  }
  return out;
}

#include "gfx/Thumbnail.h"

#include <cstddef>

namespace {

uint32_t BoxMean(const uint32_t* screen, int32_t stride, int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
  uint64_t sum[3] = {0, 0, 0};
  for (int32_t y = y0; y < y1; ++y) {
    const uint32_t* row = screen + static_cast<size_t>(y) * stride;
    for (int32_t x = x0; x < x1; ++x) {
      sum[0] += row[x] & 0xFF;
      sum[1] += (row[x] >> 8) & 0xFF;
      sum[2] += (row[x] >> 16) & 0xFF;
    }
  }
  const uint64_t count = static_cast<uint64_t>(x1 - x0) * static_cast<uint64_t>(y1 - y0);
  return 0xFF000000u | static_cast<uint32_t>(sum[2] / count) << 16 |
         static_cast<uint32_t>(sum[1] / count) << 8 | static_cast<uint32_t>(sum[0] / count);
}

}  // namespace

bool CThumbnail::IsValidSize(int32_t width, int32_t height, int32_t screenWidth, int32_t screenHeight) {
  return width > 0 && height > 0 && width <= screenWidth && height <= screenHeight;
}

std::vector<uint32_t> CThumbnail::Scale(const uint32_t* screen, int32_t screenWidth, int32_t screenHeight,
                                        int32_t width, int32_t height) {
  std::vector<uint32_t> out;
  if (!screen || !IsValidSize(width, height, screenWidth, screenHeight)) return out;
  out.reserve(static_cast<size_t>(width) * height);
  for (int32_t y = 0; y < height; ++y) {
    const int32_t y0 = static_cast<int32_t>(int64_t{y} * screenHeight / height);
    const int32_t y1 = static_cast<int32_t>(int64_t{y + 1} * screenHeight / height);
    for (int32_t x = 0; x < width; ++x) {
      const int32_t x0 = static_cast<int32_t>(int64_t{x} * screenWidth / width);
      const int32_t x1 = static_cast<int32_t>(int64_t{x + 1} * screenWidth / width);
      out.push_back(BoxMean(screen, screenWidth, x0, x1, y0, y1));
    }
  }
  return out;
}

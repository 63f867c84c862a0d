#pragma once
#include <cstdint>
#include <vector>

// The small picture of the screen a numbered save keeps: the screen scaled down by box averaging.
class CThumbnail {
 public:
  // A thumbnail must be at least one pixel and at most the screen in each direction.
  static bool IsValidSize(int32_t width, int32_t height, int32_t screenWidth, int32_t screenHeight);
  // Pixel (x, y) is the integer mean of each colour byte over the screen rows y × H / h up to
  // (y + 1) × H / h and columns x × W / w up to (x + 1) × W / w (excluded), with alpha 255.
  // Empty for an invalid size.
  static std::vector<uint32_t> Scale(const uint32_t* screen, int32_t screenWidth, int32_t screenHeight,
                                     int32_t width, int32_t height);
};

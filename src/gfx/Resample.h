#pragma once
#include <cstdint>
#include <vector>

// Load-time bilinear resampling in 16.16 fixed point: positions start at step / 2 + 32768 and advance
// by step = trunc(65536 / scale) per output pixel; each output byte (alpha included) is the weighted
// sum of four source bytes shifted right by 16.
std::vector<uint32_t> ResampleBilinear(const uint32_t* source, int width, int height, int newWidth,
                                       int newHeight, float scale);

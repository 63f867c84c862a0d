#pragma once
#include <cstdint>

class CDisplay;

// The black veil that screen modes fade in from and out to.
namespace blackfade {

// part × 255 / whole, clamped to 0..255; whole is at least 1.
int32_t Alpha(int32_t part, int32_t whole);
// Covers the dirty part of the screen with black of that alpha; alpha 0 draws nothing.
void Fill(CDisplay& display, int32_t alpha);

}  // namespace blackfade

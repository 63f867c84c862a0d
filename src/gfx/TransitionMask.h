#pragma once
#include <cstdint>

#include "gfx/DrawTarget.h"

class CSurface;

// The mask transitions: a grey-level mask decides where the new picture shows first. The saved copy of
// the screen is blended back over the screen through a table made from two thresholds.
class CTransitionMask {
 public:
  struct SThresholds {
    int32_t p0 = 0;
    int32_t p1 = 0;
  };

  // Thresholds at progress e for MASK (or MASK_NEGATIVE) with a gradation 0-100; swapped for the
  // previous picture drawn alone.
  static SThresholds Thresholds(bool negative, int32_t gradation, double e, bool swapped);
  // For every pixel inside the screen, the mask (placed at the top-left) and the target's clip:
  // k = T(mask alpha); k > 252 takes the copy, 4-252 mixes copy and screen, below 4 keeps the screen.
  static void Blend(const SDrawTarget& screen, const uint32_t* copy, const CSurface& mask, SThresholds t);
};

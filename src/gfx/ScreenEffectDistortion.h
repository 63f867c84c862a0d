#pragma once
#include <cstdint>

#include "gfx/DrawTarget.h"
#include "gfx/ImageDrawer.h"
#include "gfx/ScreenEffectStrength.h"

// The distortions a screen effect applies to the layers' pictures as they are drawn: the wipe-scale
// bands, RASTER, HAZE, the vibrations, rotations and warps.
class CScreenEffectDistortion {
 public:
  struct SState {
    int32_t effect = 0;
    int32_t level = 1;
    SEffectStrength strength;
    uint32_t time = 0;  // the frame clock's last tick in milliseconds
    int32_t vibrationX = 0;
    int32_t vibrationY = 0;
  };

  // Draws the picture distorted by the effect; false when the effect is not a distortion.
  static bool Draw(const SState& state, const SImageDraw& draw, const SDrawTarget& target);

 private:
  static void DrawSqueezed(const SState& state, const SImageDraw& draw, const SDrawTarget& target);
  static void DrawRaster(const SState& state, const SImageDraw& draw, const SDrawTarget& target);
  static void DrawHaze(const SState& state, const SImageDraw& draw, const SDrawTarget& target);
  static void DrawShaken(const SState& state, const SImageDraw& draw, const SDrawTarget& target);
  static void DrawRotated(const SState& state, const SImageDraw& draw, const SDrawTarget& target);
  static void DrawWarped(const SState& state, const SImageDraw& draw, const SDrawTarget& target);
};

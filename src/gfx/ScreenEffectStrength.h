#pragma once
#include <cstdint>

// How far a screen effect is in or out, from the engine mode (7 coming in, 8 going out) and its timer.
// Each family of effects reads its own value.
struct SEffectStrength {
  double overlay = 1;     // fade, wipes, spot, mosaic, blurs, flash, negative
  double progress = 1;    // the wipes' raw progress: q in modes 7 and 8, else 1
  double distortion = 1;  // raster, haze, vibrations, rotations, warps
  double particles = 1;   // ripples, rain, snow, sakura
  double squeeze = 1;     // the wipe-scale bands: elapsed / duration in modes 7 and 8
  bool goingOut = false;  // mode 8

  static SEffectStrength From(int32_t mode, int32_t elapsed, int32_t duration) {
    SEffectStrength s;
    if (mode != 7 && mode != 8) return s;
    const double q = elapsed <= 1 ? 0.0 : (elapsed - 1.0) / (duration - 1 > 1 ? duration - 1 : 1);
    const double d = duration > 0 ? static_cast<double>(elapsed) / duration : 1.0;
    s.goingOut = mode == 8;
    s.progress = q;
    s.squeeze = d;
    s.overlay = s.goingOut ? 1 - q : q;
    s.distortion = s.goingOut ? 1 - d : d;
    s.particles = s.goingOut ? (duration > 0 ? static_cast<double>(duration - elapsed) / duration : 0.0) : d;
    return s;
  }
};

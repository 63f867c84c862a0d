#pragma once
#include <cstdint>

#include "gfx/DrawTarget.h"
#include "gfx/ScreenEffectStrength.h"

// The overlays drawn over all layers: FADE, the scroll and blind wipes, the spot wipe, MOSAIC, FLASH and
// NEGATIVE (the blurs have their own class). Every one works on the target's clipped rows only.
class CScreenEffectOverlay {
 public:
  // Draws the overlay of the effect; false when the effect has none of these.
  static bool Draw(int32_t effect, uint32_t colour, const SEffectStrength& strength,
                   const SDrawTarget& target);

 private:
  static void DrawScrollWipe(int32_t effect, uint32_t colour, const SEffectStrength& s, const SDrawTarget& t);
  static void DrawBlindWipe(int32_t effect, uint32_t colour, const SEffectStrength& s, const SDrawTarget& t);
  static void DrawSpot(uint32_t colour, double strength, const SDrawTarget& t);
  static void DrawMosaic(double strength, const SDrawTarget& t);
  // Maps B, G and R of every pixel through a table (flash, negative).
  static void MapChannels(const uint8_t (&table)[256], const SDrawTarget& t);
};

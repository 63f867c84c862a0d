#pragma once
#include <cstdint>
#include <vector>

#include "gfx/ScreenEffectStrength.h"

class CDisplay;

// The blur family (BLUR, BLUR_ZOOM, BLUR_HORZ): a snapshot of the screen blended back over the screen
// with shifted copies of itself. The screen is copied into the snapshot after every frame, so the blur
// accumulates from frame to frame.
class CScreenEffectBlur {
 public:
  void Clear() { std::vector<uint32_t>().swap(snapshot); }
  // Copies the whole screen buffer into the snapshot.
  void Take(const CDisplay& display);
  // Blends the snapshot over the screen's dirty spans, then takes the new snapshot.
  void Draw(int32_t effect, int32_t level, const SEffectStrength& strength, CDisplay& display);
  const std::vector<uint32_t>& Snapshot() const { return snapshot; }

 private:
  std::vector<uint32_t> snapshot;
};

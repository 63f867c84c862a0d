#pragma once
#include <cstdint>
#include <vector>

#include "gfx/ScreenEffectStrength.h"

class CDisplay;

// The blur family (BLUR, BLUR_ZOOM, BLUR_HORZ): a snapshot of the screen blended back over the screen
// with shifted copies of itself. The picture a frame drew becomes the snapshot of the next frame, so
// the blur accumulates from frame to frame; drawing one frame twice blends the same snapshot twice.
class CScreenEffectBlur {
 public:
  void Clear() {
    std::vector<uint32_t>().swap(snapshot);
    std::vector<uint32_t>().swap(drawn);
  }
  // Copies the whole screen buffer into the snapshot.
  void Take(const CDisplay& display);
  // Blends the snapshot over the screen's dirty spans and keeps the picture for the next frame.
  void Draw(int32_t effect, int32_t level, const SEffectStrength& strength, CDisplay& display);
  // A new frame begins: the picture drawn last becomes the snapshot.
  void NextFrame();
  const std::vector<uint32_t>& Snapshot() const { return snapshot; }

 private:
  std::vector<uint32_t> snapshot;
  std::vector<uint32_t> drawn;
};

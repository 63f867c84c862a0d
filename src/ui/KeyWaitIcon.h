#pragma once
#include <cstdint>

#include "platform/Geometry.h"

class CAnimation;
class CDisplay;
class CSurface;

// The key-wait icon of the click waits: the keywait.anm animation when the game has one, else a
// four-frame 24 x 24 strip of the system image. Everything that changes its look (appearing,
// moving, the next frame) is decided and marked in Update, before the draw pass; Draw only draws
// that look, so drawing a frame twice gives the same pixels and the same state.
class CKeyWaitIcon {
 public:
  static constexpr int kStripSize = 24;
  static constexpr int kStripRow = 104;
  static constexpr int kStripFrames = 4;
  static constexpr uint32_t kStripFrameTime = 200;  // milliseconds per frame of the strip
  static constexpr int32_t kMostTicks = 10;         // the animation never jumps further at once

  // Either picture may be null; the animation is preferred.
  void SetPictures(CAnimation* animation, const CSurface* strip);
  // Shown or not, with the icon's bottom-right at corner (right, bottom), at the frame time in
  // milliseconds. Marks the old and the new look on the display when they differ.
  void Update(CDisplay& display, bool shown, SPoint corner, uint32_t milliseconds);
  void Draw(CDisplay& display) const;
  bool IsShown() const { return shown; }
  // The screen rectangle of the strip's current look (empty when hidden or drawn by the animation).
  SRect StripRect() const;

 private:
  void UpdateAnimation(bool show, SPoint at, uint32_t milliseconds);
  void UpdateStrip(CDisplay& display, bool show, SPoint at, uint32_t milliseconds);

  CAnimation* animation = nullptr;
  const CSurface* strip = nullptr;
  bool shown = false;
  SPoint corner{0, 0};
  int frame = 0;
  uint32_t lastTime = 0;
};

#pragma once
#include <cstdint>

class CDisplay;

// Where a drawing operation writes: a top-down block of 32-bit pixels with a stride of width pixels,
// and optionally a per-row clip that narrows each run to the part that must be redrawn (the screen's
// dirty spans). Operations clip to the block itself and then ask ClipRow for every row.
struct SDrawTarget {
  using ClipFunction = void (*)(void* context, int row, int32_t& left, int32_t& right);

  uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  ClipFunction clip = nullptr;
  void* clipContext = nullptr;

  // Narrows [left, right) on a row to its intersection with an interval that depends only on the row
  // (so a row's clip can be asked once for [0, width) and applied to many runs); the caller draws
  // nothing when left >= right afterwards.
  void ClipRow(int row, int32_t& left, int32_t& right) const {
    if (clip) clip(clipContext, row, left, right);
  }
  uint32_t* Row(int row) const { return pixels + static_cast<intptr_t>(row) * width; }
  bool IsEmpty() const { return !pixels || width <= 0 || height <= 0; }

  // A block of pixels drawn without a clip (another surface, a saved copy of the screen).
  static SDrawTarget Unclipped(uint32_t* pixels, int width, int height);
  // The screen buffer of the display, clipped to its dirty spans.
  static SDrawTarget Screen(CDisplay& display);
};

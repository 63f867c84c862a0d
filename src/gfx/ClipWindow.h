#pragma once
#include <cstdint>

#include "gfx/DrawTarget.h"

// A drawing target narrowed to a rectangle of another one (a strip of a blind, a band of the screen),
// keeping the other target's own clip. Valid while the window object lives.
class CClipWindow {
 public:
  CClipWindow(const SDrawTarget& parent, int32_t left, int32_t top, int32_t right, int32_t bottom);
  CClipWindow(const CClipWindow&) = delete;
  CClipWindow& operator=(const CClipWindow&) = delete;
  const SDrawTarget& Target() const { return target; }

 private:
  static void Clip(void* context, int row, int32_t& left, int32_t& right);

  SDrawTarget parent;
  int32_t left, top, right, bottom;
  SDrawTarget target;
};

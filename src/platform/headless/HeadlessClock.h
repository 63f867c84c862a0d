#pragma once
#include "platform/Clock.h"

// The deterministic clock: frame n (from 1) reads ceil(n * 1000 / 60) ms, so each frame is one tick.
class CHeadlessClock : public IClock {
 public:
  void SetFrame(int64_t frame) { currentFrame = frame; }
  int64_t Frame() const { return currentFrame; }
  uint32_t GetTickCount() override { return static_cast<uint32_t>((currentFrame * 1000 + 59) / 60); }
  void Sleep(uint32_t) override {}

 private:
  int64_t currentFrame = 0;
};

#pragma once
#include <cstdint>

// The frame clock's arithmetic: whole ticks of 1/60 s between millisecond readings, computed from
// each reading separately so no fraction is lost between frames.
class CFrameClock {
 public:
  static constexpr int32_t kMaxDelta = 60;

  // Ticks between the last frame and now; 0 leaves the last frame time unchanged, otherwise it
  // becomes now. The result is capped at 60 (one second of game time per frame).
  int32_t Advance(uint32_t now);
  // Time consumed by a long operation: the ticks since the last frame (0..60) are added to lostTicks
  // and the last frame time becomes now, so the next frame does not jump. Returns those ticks.
  int32_t Discard(uint32_t now);
  void Reset(uint32_t now) { lastTick = now; }
  // Milliseconds from now until the tick after the last frame's begins: how long an idle player may
  // wait for input before the next frame is due (0 when it is due already).
  int32_t UntilNextTick(uint32_t now) const;

  uint32_t LastTick() const { return lastTick; }
  int32_t LostTicks() const { return lostTicks; }
  void SetLostTicks(int32_t value) { lostTicks = value; }
  bool TimeDiscarded() const { return timeDiscarded; }
  void SetTimeDiscarded(bool value) { timeDiscarded = value; }

  static int64_t TickOf(uint32_t milliseconds) { return static_cast<int64_t>(milliseconds) * 60 / 1000; }

 private:
  uint32_t lastTick = 0;
  int32_t lostTicks = 0;
  bool timeDiscarded = false;
};

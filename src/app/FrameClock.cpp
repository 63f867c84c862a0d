#include "app/FrameClock.h"

int32_t CFrameClock::Advance(uint32_t now) {
  const int64_t delta = TickOf(now) - TickOf(lastTick);
  if (delta == 0) return 0;
  lastTick = now;
  // A wrapped 32-bit counter gives a negative difference; treat it like a long pause.
  if (delta > kMaxDelta || delta < 0) return kMaxDelta;
  return static_cast<int32_t>(delta);
}

int32_t CFrameClock::Discard(uint32_t now) {
  int64_t lost = TickOf(now) - TickOf(lastTick);
  if (lost < 0) lost = 0;
  if (lost >= kMaxDelta) lost = kMaxDelta;
  lostTicks += static_cast<int32_t>(lost);
  lastTick = now;
  return static_cast<int32_t>(lost);
}

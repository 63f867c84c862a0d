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

int32_t CFrameClock::UntilNextTick(uint32_t now) const {
  // The first millisecond m with m * 60 / 1000 past the last frame's tick.
  const int64_t next = ((TickOf(lastTick) + 1) * 1000 + 59) / 60;
  const int64_t wait = next - static_cast<int64_t>(now);
  // A reading before the last frame (a wrapped counter) waits at most one tick.
  return static_cast<int32_t>(wait < 0 ? 0 : (wait > 17 ? 17 : wait));
}

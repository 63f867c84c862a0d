#include <gtest/gtest.h>

#include "app/FrameClock.h"

TEST(FrameClock, WholeTicksAreCountedFromEachReadingSeparately) {
  CFrameClock clock;
  clock.Reset(0);
  // 16 ms is still tick 0; 17 ms is tick 1 (17 * 60 / 1000 = 1).
  EXPECT_EQ(clock.Advance(16), 0);
  EXPECT_EQ(clock.LastTick(), 0u) << "a frame without a tick leaves the last frame time alone";
  EXPECT_EQ(clock.Advance(17), 1);
  EXPECT_EQ(clock.LastTick(), 17u);
  // Two frames within the same 1/60 s: the second advances nothing.
  EXPECT_EQ(clock.Advance(33), 0) << "33 ms is still tick 1";
  EXPECT_EQ(clock.Advance(34), 1);
  EXPECT_EQ(clock.Advance(34), 0);
  // Fractions are never lost: 1000 ms later is exactly 60 ticks later.
  clock.Reset(5);
  int total = 0;
  for (uint32_t t = 6; t <= 1005; t += 7) total += clock.Advance(t);
  total += clock.Advance(1005);
  EXPECT_EQ(total, CFrameClock::TickOf(1005) - CFrameClock::TickOf(5));
}

TEST(FrameClock, LongPauseIsCappedAtSixtyTicks) {
  CFrameClock clock;
  clock.Reset(1000);
  EXPECT_EQ(clock.Advance(61000), 60);
  EXPECT_EQ(clock.LastTick(), 61000u);
  EXPECT_EQ(clock.Advance(61017), 1);
}

TEST(FrameClock, DiscardedTimeIsNotFedIntoTheNextFrame) {
  CFrameClock clock;
  clock.Reset(0);
  // A long operation took 500 ms (30 ticks): they go to lostTicks and the next frame starts from now.
  EXPECT_EQ(clock.Discard(500), 30);
  EXPECT_EQ(clock.LostTicks(), 30);
  EXPECT_EQ(clock.Advance(517), 1);
  // Over a second counts as 60 at most; a reading before the last counts as 0.
  EXPECT_EQ(clock.Discard(5000), 60);
  EXPECT_EQ(clock.Discard(4000), 0);
  EXPECT_EQ(clock.LostTicks(), 90);
}

// The wait until the next frame ends exactly where Advance first counts a new tick.
TEST(FrameClock, UntilNextTickEndsWhereTheNextTickIsCounted) {
  for (const uint32_t last : {0u, 16u, 17u, 33u, 1000u, 123456u}) {
    CFrameClock clock;
    clock.Reset(last);
    const int32_t wait = clock.UntilNextTick(last);
    EXPECT_GE(wait, 1);
    EXPECT_LE(wait, 17);
    for (uint32_t now = last; now < last + static_cast<uint32_t>(wait); ++now) {
      CFrameClock probe = clock;
      EXPECT_EQ(probe.Advance(now), 0) << last << " " << now;
      EXPECT_EQ(clock.UntilNextTick(now), wait - static_cast<int32_t>(now - last));
    }
    CFrameClock probe = clock;
    EXPECT_EQ(probe.Advance(last + static_cast<uint32_t>(wait)), 1) << last;
    EXPECT_EQ(clock.UntilNextTick(last + static_cast<uint32_t>(wait)), 0);
    EXPECT_EQ(clock.UntilNextTick(last + 500), 0);
  }
}

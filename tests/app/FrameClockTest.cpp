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

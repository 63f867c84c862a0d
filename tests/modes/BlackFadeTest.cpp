#include <gtest/gtest.h>

#include <algorithm>

#include "gfx/Display.h"
#include "gfx/DrawTarget.h"
#include "gfx/ShapeDraw.h"
#include "modes/BlackFade.h"

TEST(BlackFade, AlphaIsTruncatedAndClamped) {
  EXPECT_EQ(blackfade::Alpha(30, 30), 255);
  EXPECT_EQ(blackfade::Alpha(0, 30), 0);
  EXPECT_EQ(blackfade::Alpha(15, 30), 127);
  EXPECT_EQ(blackfade::Alpha(1, 30), 8);
  EXPECT_EQ(blackfade::Alpha(40, 30), 255) << "a part above the whole stays opaque";
  EXPECT_EQ(blackfade::Alpha(-5, 30), 0);
  EXPECT_EQ(blackfade::Alpha(1, 0), 255) << "a zero whole counts as one tick";
}

TEST(BlackFade, FillDarkensOnlyTheDirtySpans) {
  CDisplay display;
  display.Init(nullptr, 8, 4, true);
  std::fill_n(display.Pixels(), 32, 0xFFC86432u);
  display.ClearSpans();
  display.MarkDirty({2, 1, 6, 3});
  blackfade::Fill(display, 127);

  uint32_t expected = 0xFFC86432u;
  shapes::FillRect(SDrawTarget::Unclipped(&expected, 1, 1), 0, 0, 1, 1, 0x7F000000u);
  ASSERT_NE(expected, 0xFFC86432u);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool dirty = x >= 2 && x < 6 && y >= 1 && y < 3;
      EXPECT_EQ(display.Pixels()[y * 8 + x], dirty ? expected : 0xFFC86432u) << x << "," << y;
    }
  }
  display.MarkAllDirty();
  blackfade::Fill(display, 0);
  EXPECT_EQ(display.Pixels()[0], 0xFFC86432u) << "alpha 0 draws nothing";
  blackfade::Fill(display, 255);
  EXPECT_EQ(display.Pixels()[0] & 0xFFFFFFu, 0u);
}

// The save thumbnail: box averages of the screen, exact to the byte.
#include <gtest/gtest.h>

#include <vector>

#include "gfx/Thumbnail.h"

TEST(Thumbnail, EachPixelIsTheIntegerMeanOfItsBox) {
  // 5 x 3 screen to 2 x 2: columns [0, 2) and [2, 5), rows [0, 1) and [1, 3).
  std::vector<uint32_t> screen(15);
  for (size_t i = 0; i < screen.size(); ++i)
    screen[i] = 0x00000000u | uint32_t(i * 10) << 16 | uint32_t(i * 3) << 8 | uint32_t(i);
  const std::vector<uint32_t> t = CThumbnail::Scale(screen.data(), 5, 3, 2, 2);
  ASSERT_EQ(t.size(), 4u);
  // Top left: pixels 0 and 1 -> blue (0 + 1) / 2 = 0, green (0 + 3) / 2 = 1, red (0 + 10) / 2 = 5.
  EXPECT_EQ(t[0], 0xFF050100u);
  // Top right: pixels 2, 3, 4 -> blue 3, green 9, red 30.
  EXPECT_EQ(t[1], 0xFF1E0903u);
  // Bottom left: pixels 5, 6, 10, 11 -> blue 32 / 4 = 8, green 96 / 4 = 24, red 320 / 4 = 80.
  EXPECT_EQ(t[2], 0xFF501808u);
  // Bottom right: pixels 7, 8, 9, 12, 13, 14 -> blue 63 / 6 = 10, green 189 / 6 = 31, red 630 / 6 = 105.
  EXPECT_EQ(t[3], 0xFF691F0Au);
}

TEST(Thumbnail, AlphaOfTheScreenIsIgnoredAndTheResultOpaque) {
  const std::vector<uint32_t> screen = {0x00FFFFFFu, 0x80000000u};
  EXPECT_EQ(CThumbnail::Scale(screen.data(), 2, 1, 1, 1), std::vector<uint32_t>{0xFF7F7F7Fu});
}

TEST(Thumbnail, SizesOutsideTheScreenMakeNoThumbnail) {
  const std::vector<uint32_t> screen(4, 0xFFFFFFFFu);
  EXPECT_TRUE(CThumbnail::Scale(screen.data(), 2, 2, 3, 1).empty());
  EXPECT_TRUE(CThumbnail::Scale(screen.data(), 2, 2, 0, 1).empty());
  EXPECT_TRUE(CThumbnail::Scale(screen.data(), 2, 2, 1, -1).empty());
  EXPECT_EQ(CThumbnail::Scale(screen.data(), 2, 2, 2, 2), screen);
  EXPECT_TRUE(CThumbnail::IsValidSize(800, 600, 800, 600));
  EXPECT_FALSE(CThumbnail::IsValidSize(801, 600, 800, 600));
}

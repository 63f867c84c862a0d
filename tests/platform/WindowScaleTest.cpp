#include <gtest/gtest.h>

#include "platform/WindowScale.h"

TEST(WindowScale, RequestedScaleIsKeptOnlyWhenTheWindowFitsTheDesktop) {
  // 1920 x 1080 usable: 800 x 600 fits once (600 x 2 + 48 > 1080), 640 x 480 twice.
  EXPECT_EQ(FitWindowScale(0, 800, 600, 1920, 1080), 1);
  EXPECT_EQ(FitWindowScale(0, 640, 480, 1920, 1080), 2);
  EXPECT_EQ(FitWindowScale(1, 640, 480, 1920, 1080), 1);
  EXPECT_EQ(FitWindowScale(2, 640, 480, 1920, 1080), 2);
  EXPECT_EQ(FitWindowScale(4, 640, 480, 1920, 1080), 2) << "the largest scale that fits";
  EXPECT_EQ(FitWindowScale(16, 800, 600, 3840, 2160), 3);
  // A desktop smaller than the screen still shows it once.
  EXPECT_EQ(FitWindowScale(3, 800, 600, 640, 480), 1);
  EXPECT_EQ(FitWindowScale(0, 800, 600, 640, 480), 1);
}

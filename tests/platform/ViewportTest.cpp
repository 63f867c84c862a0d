// Placement of the game picture in a window and the mapping of mouse points to game pixels.
#include <gtest/gtest.h>

#include "platform/UserDirs.h"
#include "platform/Viewport.h"

TEST(Viewport, SharpTakesTheLargestIntegerScaleCentred) {
  // 800 x 600 in 1700 x 1300: 2x, with 50 pixels of border on every side.
  EXPECT_EQ(CViewport(EScaling::kSharp, 800, 600, 1700, 1300, 1700, 1300).Destination(),
            (SRect{50, 50, 1650, 1250}));
  EXPECT_EQ(CViewport(EScaling::kSharp, 800, 600, 800, 600, 800, 600).Destination(), (SRect{0, 0, 800, 600}));
  // Limited by the height: 3x fits across (2400 < 2560) but not down (1800 > 1440).
  EXPECT_EQ(CViewport(EScaling::kSharp, 800, 600, 2560, 1440, 2560, 1440).Destination(),
            (SRect{480, 120, 2080, 1320}));
  EXPECT_EQ(CViewport(EScaling::kSharp, 640, 480, 1599, 1199, 1599, 1199).Destination(),
            (SRect{159, 119, 1439, 1079}));
}

TEST(Viewport, SmoothFitsWithTheProportionsKeptAndSharpShrinksTheSameWay) {
  EXPECT_EQ(CViewport(EScaling::kSmooth, 800, 600, 1700, 1300, 1700, 1300).Destination(),
            (SRect{0, 12, 1700, 1287}));
  EXPECT_EQ(CViewport(EScaling::kSmooth, 800, 600, 1920, 1080, 1920, 1080).Destination(),
            (SRect{240, 0, 1680, 1080}));
  EXPECT_EQ(CViewport(EScaling::kSmooth, 1280, 720, 1280, 720, 1280, 720).Destination(),
            (SRect{0, 0, 1280, 720}));
  // A window smaller than the game has no integer scale.
  const SRect shrunk = CViewport(EScaling::kSharp, 800, 600, 400, 400, 400, 400).Destination();
  EXPECT_EQ(shrunk, (SRect{0, 50, 400, 350}));
  EXPECT_EQ(shrunk, CViewport(EScaling::kSmooth, 800, 600, 400, 400, 400, 400).Destination());
}

TEST(Viewport, MousePointsMapToGamePixelsAndBack) {
  const CViewport sharp(EScaling::kSharp, 800, 600, 1700, 1300, 1700, 1300);
  EXPECT_EQ(sharp.ToGame(50, 50), (SPoint{0, 0}));
  EXPECT_EQ(sharp.ToGame(51, 51), (SPoint{0, 0}));
  EXPECT_EQ(sharp.ToGame(52, 53), (SPoint{1, 1}));
  EXPECT_EQ(sharp.ToGame(850, 650), (SPoint{400, 300}));
  EXPECT_EQ(sharp.ToGame(1649, 1249), (SPoint{799, 599}));
  // The black bars give the nearest edge pixel.
  EXPECT_EQ(sharp.ToGame(10, 1299), (SPoint{0, 599}));
  EXPECT_EQ(sharp.ToGame(1690, 0), (SPoint{799, 0}));
  EXPECT_EQ(sharp.ToWindow(400, 300), (SPoint{851, 651}));
  for (int x : {0, 1, 333, 799})
    EXPECT_EQ(sharp.ToGame(sharp.ToWindow(x, x % 600).x, sharp.ToWindow(x, x % 600).y), (SPoint{x, x % 600}));
}

TEST(Viewport, HiDpiDrawableDecidesTheScaleWhileMouseStaysInWindowPoints) {
  // A 200 % desktop: the window is 850 x 650 points, 1700 x 1300 pixels; the picture is a crisp 2x.
  const CViewport hiDpi(EScaling::kSharp, 800, 600, 1700, 1300, 850, 650);
  EXPECT_EQ(hiDpi.Destination(), (SRect{50, 50, 1650, 1250}));
  EXPECT_EQ(hiDpi.ToGame(25, 25), (SPoint{0, 0}));
  EXPECT_EQ(hiDpi.ToGame(425, 325), (SPoint{400, 300}));
  EXPECT_EQ(hiDpi.ToWindow(400, 300), (SPoint{425, 325}));
}

TEST(Viewport, ScalingNamesRoundTrip) {
  EXPECT_EQ(CViewport::Parse("sharp"), EScaling::kSharp);
  EXPECT_EQ(CViewport::Parse("smooth"), EScaling::kSmooth);
  EXPECT_FALSE(CViewport::Parse("Sharp").has_value());
  EXPECT_FALSE(CViewport::Parse("").has_value());
  EXPECT_STREQ(CViewport::Name(EScaling::kSmooth), "smooth");
}

TEST(UserDirs, PicturesFolderFromTheDesktopsList) {
  const std::string text =
      "# written by xdg-user-dirs-update\n"
      "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
      "XDG_PICTURES_DIR=\"$HOME/Bilder/\"\n";
  EXPECT_EQ(CUserDirs::Parse(text, "XDG_PICTURES_DIR", "/home/p"), "/home/p/Bilder");
  EXPECT_EQ(CUserDirs::Parse("XDG_PICTURES_DIR=\"/srv/pics\"\r\n", "XDG_PICTURES_DIR", "/home/p"),
            "/srv/pics");
  // The home folder itself means "not wanted"; other forms are not understood.
  EXPECT_EQ(CUserDirs::Parse("XDG_PICTURES_DIR=\"$HOME/\"\n", "XDG_PICTURES_DIR", "/home/p"), "");
  EXPECT_EQ(CUserDirs::Parse("XDG_PICTURES_DIR=\"Pictures\"\n", "XDG_PICTURES_DIR", "/home/p"), "");
  EXPECT_EQ(CUserDirs::Parse("XDG_PICTURES_DIR=$HOME/Pictures\n", "XDG_PICTURES_DIR", "/home/p"), "");
  EXPECT_EQ(CUserDirs::Parse("XDG_PICTURES_DIR=\"$HOMEX/a\"\n", "XDG_PICTURES_DIR", "/home/p"), "");
  EXPECT_EQ(CUserDirs::Parse("#XDG_PICTURES_DIR=\"$HOME/a\"\nXDG_PICTURES_DIRX=\"$HOME/b\"\n",
                             "XDG_PICTURES_DIR", "/home/p"),
            "");
}

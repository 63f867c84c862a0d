#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "gfx/ShapeDraw.h"
#include "gfx/Surface.h"

namespace {

// A screen-like target with one dirty span per row, as the display keeps them.
struct SScreen {
  int width;
  int height;
  std::vector<uint32_t> pixels;
  std::vector<std::pair<int32_t, int32_t>> spans;

  SScreen(int w, int h, uint32_t fill = 0)
      : width(w), height(h), pixels(size_t(w) * h, fill), spans(size_t(h), {0, w}) {}
  uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
  SDrawTarget Target() {
    SDrawTarget t = SDrawTarget::Unclipped(pixels.data(), width, height);
    t.clip = [](void* context, int row, int32_t& left, int32_t& right) {
      const auto& span = static_cast<SScreen*>(context)->spans[row];
      left = std::max(left, span.first);
      right = std::min(right, span.second);
    };
    t.clipContext = this;
    return t;
  }
};

// A surface whose pixel (x, y) is opaque with red x, green y and blue 7.
CSurface Gradient(int w, int h) {
  CSurface s;
  s.CreateBlank(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.Pixels()[y * w + x] = 0xFF000007u | uint32_t(x) << 16 | uint32_t(y) << 8;
  return s;
}

}  // namespace

TEST(SurfaceTest, CreateBlankRefusesAbsurdSizes) {
  CSurface s;
  EXPECT_TRUE(s.CreateBlank(3, 2));
  EXPECT_EQ(s.Width(), 3);
  EXPECT_EQ(s.Pixel(2, 1), 0u);
  EXPECT_FALSE(s.CreateBlank(0, 5));
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_FALSE(s.CreateBlank(CSurface::kMaxSide + 1, 1));
  EXPECT_FALSE(s.CreateBlank(CSurface::kMaxSide, CSurface::kMaxSide));
}

TEST(SurfaceTest, BlitClipsSourceAndDestination) {
  CSurface s = Gradient(4, 4);
  SScreen screen(6, 5, 0x11111111);
  // A negative source x moves the destination right; a negative destination y moves the source down.
  s.Blit(screen.Target(), 1, -1, 10, 10, -1, 0, 0xFFFFFFFF);
  EXPECT_EQ(screen.At(1, 0), 0x11111111u);
  EXPECT_EQ(screen.At(2, 0), s.Pixel(0, 1));
  EXPECT_EQ(screen.At(4, 2), s.Pixel(2, 3));
  EXPECT_EQ(screen.At(5, 2), 0x11111111u);
  EXPECT_EQ(screen.At(2, 3), 0x11111111u);
  // Entirely off the screen: nothing.
  SScreen other(6, 5, 0x22);
  s.Blit(other.Target(), 6, 0, 4, 4, 0, 0, 0xFFFFFFFF);
  s.Blit(other.Target(), -4, 0, 4, 4, 0, 0, 0xFFFFFFFF);
  EXPECT_EQ(other.pixels, std::vector<uint32_t>(30, 0x22));
}

TEST(SurfaceTest, BlitDrawsOnlyInsideDirtySpans) {
  CSurface s = Gradient(8, 2);
  SScreen screen(8, 2, 0);
  screen.spans = {{2, 5}, {6, 2}};
  s.Blit(screen.Target(), 0, 0, 8, 2, 0, 0, 0xFFFFFFFF);
  for (int x = 0; x < 8; ++x) {
    EXPECT_EQ(screen.At(x, 0), x >= 2 && x < 5 ? s.Pixel(x, 0) : 0u) << x;
    EXPECT_EQ(screen.At(x, 1), 0u);
  }
}

TEST(SurfaceTest, BlitLeavesScreenWhereAlphaBelowEight) {
  CSurface s;
  s.CreateBlank(2, 1);
  s.Pixels()[0] = 0x07FFFFFF;
  s.Pixels()[1] = 0x08FFFFFF;
  SScreen screen(2, 1, 0x40404040);
  s.Blit(screen.Target(), 0, 0, 2, 1, 0, 0, 0xFFFFFFFF);
  EXPECT_EQ(screen.At(0, 0), 0x40404040u);
  // w = (8 * 129) >> 8 = 4: 64 + ((4 * 191) >> 7) in every channel.
  EXPECT_EQ(screen.At(1, 0), 0x45454545u);
}

TEST(SurfaceTest, StretchedTwiceRepeatsEveryTexel) {
  CSurface s = Gradient(3, 2);
  SScreen screen(6, 4);
  s.DrawStretched(screen.Target(), 0, 0, 6, 4, 0, 0, 3, 2, 0xFFFFFFFF, false);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(screen.At(x, y), s.Pixel(x / 2, y / 2)) << x << "," << y;
}

TEST(SurfaceTest, StretchedMirrors) {
  CSurface s = Gradient(4, 3);
  SScreen mirroredX(4, 3), mirroredY(4, 3), both(4, 3);
  s.DrawStretched(mirroredX.Target(), 4, 0, 0, 3, 0, 0, 4, 3, 0xFFFFFFFF, false);
  s.DrawStretched(mirroredY.Target(), 0, 3, 4, 0, 0, 0, 4, 3, 0xFFFFFFFF, false);
  s.DrawStretched(both.Target(), 4, 3, 0, 0, 0, 0, 4, 3, 0xFFFFFFFF, false);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(mirroredX.At(x, y), s.Pixel(3 - x, y));
      EXPECT_EQ(mirroredY.At(x, y), s.Pixel(x, 2 - y));
      EXPECT_EQ(both.At(x, y), s.Pixel(3 - x, 2 - y));
    }
  }
}

TEST(SurfaceTest, StretchedAdditiveAndClippedToSpans) {
  CSurface s;
  s.CreateBlank(2, 2);
  std::fill(s.Pixels(), s.Pixels() + 4, 0xFF808080u);
  SScreen screen(4, 4, 0x00A0A0A0);
  screen.spans[0] = {1, 3};
  s.DrawStretched(screen.Target(), 0, 0, 4, 4, 0, 0, 2, 2, 0xFFFFFFFF, true);
  EXPECT_EQ(screen.At(0, 0), 0x00A0A0A0u);
  EXPECT_EQ(screen.At(1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(screen.At(3, 0), 0x00A0A0A0u);
  EXPECT_EQ(screen.At(0, 3), 0xFFFFFFFFu);
}

TEST(SurfaceTest, ScaledSurfaceDrawsAtBaseSize) {
  CSurface s = Gradient(4, 4);
  s.Rescale(5.0f);  // clamped to 2
  EXPECT_EQ(s.Scale(), 2.0f);
  EXPECT_EQ(s.Width(), 8);
  EXPECT_EQ(s.BaseWidth(), 4);
  SScreen screen(4, 4);
  s.Blit(screen.Target(), 0, 0, 4, 4, 0, 0, 0xFFFFFFFF);
  // Pixel centres of the base grid land on the scaled texels 2x+1, which hold the resampled colours.
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(screen.At(x, y), s.Pixel(2 * x + 1, 2 * y + 1));
  CSurface small = Gradient(40, 20);
  small.Rescale(0.05f);
  EXPECT_EQ(small.Scale(), 0.1f);
  EXPECT_EQ(small.Width(), 4);
  EXPECT_EQ(small.Height(), 2);
}

TEST(SurfaceTest, ResampleFixedPointValues) {
  // Two pixels 0 and 200 in red, doubled: positions 49152, 81920, 114688, 147456 give taps
  // (0,0,f=192), (0,1,f=64), (0,1,f=192), (1,1,f=64).
  CSurface s;
  s.CreateBlank(2, 1);
  s.Pixels()[0] = 0xFF000000;
  s.Pixels()[1] = 0xFFC80000;
  s.Rescale(2.0f);
  ASSERT_EQ(s.Width(), 4);
  ASSERT_EQ(s.Height(), 2);
  EXPECT_EQ(s.Pixel(0, 0), 0xFF000000u);
  EXPECT_EQ(s.Pixel(1, 0), 0xFF320000u);  // 200 * 64 / 256
  EXPECT_EQ(s.Pixel(2, 0), 0xFF960000u);  // 200 * 192 / 256
  EXPECT_EQ(s.Pixel(3, 0), 0xFFC80000u);
  EXPECT_EQ(s.Pixel(1, 1), 0xFF320000u);
}

TEST(SurfaceTest, ColourModes) {
  CSurface s;
  s.CreateBlank(2, 1);
  s.Pixels()[0] = 0x80FF0000;
  s.Pixels()[1] = 0x12345678;
  CSurface copy = s;
  s.ApplyColorMode(CSurface::kColorMonochrome);
  EXPECT_EQ(s.Pixel(0, 0), 0x80545454u);
  copy.ApplyColorMode(CSurface::kColorNegative);
  EXPECT_EQ(copy.Pixel(1, 0), 0x12CBA987u);
  copy.ApplyColorMode(CSurface::kColorNegative);
  EXPECT_EQ(copy.Pixel(1, 0), 0x12345678u);
  CSurface sepia;
  sepia.CreateBlank(1, 1);
  sepia.Pixels()[0] = 0xFF6496C8;  // R 100, G 150, B 200
  sepia.ApplyColorMode(CSurface::kColorSepia);
  // R (12000 + 13200 + 17600) >> 8 = 167, G (7200 + 15600 + 14400) >> 8 = 145, B (6400 + 9600 + 19200) >> 8 =
  // 137
  EXPECT_EQ(sepia.Pixel(0, 0), 0xFFA79189u);
}

TEST(SurfaceTest, AlphaFromBrightnessAndPutPixels) {
  CSurface s;
  s.CreateBlank(3, 2);
  const uint32_t rows[4] = {0x00030201, 0x00FFFFFF, 0x000000FF, 0x00010101};
  s.PutPixels(1, 0, 2, 2, rows);
  s.PutPixels(2, 1, 2, 1, rows);  // cut at the right edge
  s.AlphaFromBrightness();
  EXPECT_EQ(s.Pixel(0, 0), 0u);
  EXPECT_EQ(s.Pixel(1, 0), 0x02030201u);
  EXPECT_EQ(s.Pixel(2, 0), 0xFFFFFFFFu);
  EXPECT_EQ(s.Pixel(1, 1), 0x550000FFu);
  EXPECT_EQ(s.Pixel(2, 1), 0x02030201u);
}

TEST(SurfaceTest, FillRectClampsAndBlends) {
  SScreen screen(4, 3, 0xFF000000);
  screen.spans[2] = {0, 1};
  shapes::FillRect(screen.Target(), -5, 1, 99, 9, 0x80FFFFFF);
  EXPECT_EQ(screen.At(0, 0), 0xFF000000u);
  EXPECT_EQ(screen.At(3, 1), 0xFF7F7F7Fu);
  EXPECT_EQ(screen.At(0, 2), 0xFF7F7F7Fu);
  EXPECT_EQ(screen.At(1, 2), 0xFF000000u);
  shapes::FillRect(screen.Target(), 0, 0, 4, 3, 0xFF102030);
  EXPECT_EQ(screen.At(2, 0), 0xFF102030u);
  shapes::FillRect(screen.Target(), 0, 0, 4, 3, 0x00FFFFFF);
  EXPECT_EQ(screen.At(2, 0), 0xFF102030u);
}

TEST(SurfaceTest, ShadedRectCoversEveryPixelOnce) {
  SScreen screen(8, 6, 0x00000000);
  // Opaque white: (255 * 32640) >> 15 = 254 in every channel, screen alpha kept.
  shapes::DrawShadedRect(screen.Target(), 0, 0, 8, 6, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(screen.At(x, y), 0x00FEFEFEu) << x << "," << y;
  // Half-transparent black over that: each pixel drawn exactly once, by one of the two triangles.
  shapes::DrawShadedRect(screen.Target(), 0, 0, 8, 6, 0x80000000, 0x80000000, 0x80000000, 0x80000000);
  EXPECT_EQ(screen.At(0, 5), 0x007F7F7Fu);  // 254 + ((-254 * 16384) >> 15)
  EXPECT_EQ(screen.At(7, 0), 0x007F7F7Fu);
}

TEST(SurfaceTest, ShadedTriangleInterpolatesAndCulls) {
  SScreen screen(4, 1);
  // Red rising from 0 at x = 0 to 255 at x = 4 along the row centre.
  shapes::DrawShadedTriangle(screen.Target(), {0, -4, 0xFF000000}, {4, -4, 0xFFFF0000}, {4, 4, 0xFFFF0000});
  shapes::DrawShadedTriangle(screen.Target(), {0, -4, 0xFF000000}, {4, 4, 0xFFFF0000}, {0, 4, 0xFF000000});
  // Centres 0.5, 1.5, 2.5, 3.5 carry red 31.875, 95.625, 159.375, 223.125; times 32640 >> 15.
  EXPECT_EQ(screen.At(0, 0), 0x001E0000u);
  EXPECT_EQ(screen.At(1, 0), 0x005E0000u);
  EXPECT_EQ(screen.At(3, 0), 0x00DE0000u);
  SScreen untouched(4, 4);
  // Clockwise on the screen (negative signed area): culled.
  shapes::DrawShadedTriangle(untouched.Target(), {0, 0, 0xFFFFFFFF}, {0, 4, 0xFFFFFFFF}, {4, 4, 0xFFFFFFFF});
  EXPECT_EQ(untouched.pixels, std::vector<uint32_t>(16, 0));
}

TEST(SurfaceTest, ExtremeCoordinatesDrawNothing) {
  CSurface s = Gradient(4, 4);
  SScreen screen(8, 8, 0x33);
  const SDrawTarget target = screen.Target();
  s.Blit(target, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN, 0xFFFFFFFF);
  s.Blit(target, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, 0xFFFFFFFF);
  s.DrawStretched(target, 2e30f, 0, 1e30f, 8, 0, 0, 4, 4, 0xFFFFFFFF, false);
  s.DrawStretched(target, NAN, 0, 8, 8, 0, 0, 4, 4, 0xFFFFFFFF, false);
  s.DrawStretched(target, 3e9f, 3e9f, 3e9f + 4, 3e9f + 4, 0, 0, 4, 4, 0xFFFFFFFF, false);
  shapes::FillRect(target, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MIN, 0xFFFFFFFF);
  shapes::DrawShadedTriangle(target, {NAN, 0, 0xFFFFFFFF}, {8, 0, 0xFFFFFFFF}, {8, 8, 0xFFFFFFFF});
  EXPECT_EQ(screen.pixels, std::vector<uint32_t>(64, 0x33));
  // A huge triangle is cut to the target and still covers it.
  shapes::DrawShadedTriangle(target, {-1e9f, -1e9f, 0xFFFFFFFF}, {1e9f, -1e9f, 0xFFFFFFFF},
                             {1e9f, 1e9f, 0xFFFFFFFF});
  EXPECT_EQ(screen.At(7, 0), 0x00FEFEFEu);
}

TEST(SurfaceTest, ShadedGridCoversEveryCellOnce) {
  // 3 x 2 vertices: two cells side by side over the whole 6 x 4 target, half-transparent white.
  std::vector<shapes::SColorVertex> grid;
  for (float y : {0.0f, 4.0f})
    for (float x : {0.0f, 3.0f, 6.0f}) grid.push_back({x, y, 0x80FFFFFF});
  SScreen screen(6, 4, 0xFF000000);
  shapes::DrawShadedGrid(screen.Target(), grid.data(), 3, 2);
  // (255 * 16384) >> 15 = 127 everywhere: no pixel drawn twice, none missed.
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) ASSERT_EQ(screen.At(x, y), 0xFF7F7F7Fu) << x << "," << y;
}

TEST(SurfaceTest, StretchedSkipsTexelsOutsideTheSurface) {
  CSurface s = Gradient(2, 2);
  SScreen screen(4, 2, 0x55);
  // The source rectangle reaches two texels beyond the right edge.
  s.DrawStretched(screen.Target(), 0, 0, 4, 2, 0, 0, 4, 2, 0xFFFFFFFF, true);
  EXPECT_EQ(screen.At(1, 1), 0xFF01015Cu);  // additive: blue 0x55 + 7; alpha as source-over
  EXPECT_EQ(screen.At(2, 0), 0x55u);
  EXPECT_EQ(screen.At(3, 1), 0x55u);
}

TEST(SurfaceTest, TexturedTriangleWindingAndTexels) {
  CSurface s = Gradient(4, 4);
  SScreen screen(4, 4, 0x11);
  const CSurface::STexturedVertex a{0, 0, 0, 0}, b{4, 0, 4, 0}, c{4, 4, 4, 4};
  // Clockwise on the screen: culled.
  s.DrawTexturedTriangle(screen.Target(), a, c, b, 0xFFFFFFFF, false);
  EXPECT_EQ(screen.pixels, std::vector<uint32_t>(16, 0x11));
  // The upper-right half, texel for texel; a pixel whose centre lies on the diagonal belongs to the
  // triangle on its right.
  s.DrawTexturedTriangle(screen.Target(), a, b, c, 0xFFFFFFFF, false);
  EXPECT_EQ(screen.At(3, 0), s.Pixel(3, 0));
  EXPECT_EQ(screen.At(2, 1), s.Pixel(2, 1));
  EXPECT_EQ(screen.At(0, 3), 0x11u);
  EXPECT_EQ(screen.At(0, 1), 0x11u);
  EXPECT_EQ(screen.At(1, 1), 0x11u);
}

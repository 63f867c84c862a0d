#include <gtest/gtest.h>

#include "LayerTestHost.h"
#include "gfx/PixelBlend.h"
#include "gfx/ScreenEffect.h"

namespace {

constexpr int kW = 64;
constexpr int kH = 48;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;

class EffectTest : public CPictureFilesTest {
 protected:
  void SetUp() override {
    CPictureFilesTest::SetUp();
    WritePng("bg.png", kW, kH,
             [](int x, int y) { return 0xFF000000u | uint32_t(x * 4) << 16 | uint32_t(y * 5); });
    WriteSolid("red.png", 8, 8, kRed);
    WriteSolid("green.png", 8, 8, kGreen);
  }
  void Show(const std::string& src, int32_t layer, int32_t x = 0, int32_t y = 0) {
    SLayerImage image;
    image.layer = layer;
    image.src = src;
    image.x = x;
    image.y = y;
    host.layers->ShowImage(image);
  }
  CScreenEffect& effect() { return host.layers->Effect(); }
  uint32_t Background(int x, int y) const { return 0xFF000000u | uint32_t(x * 4) << 16 | uint32_t(y * 5); }

  CTestPictureHost host{kW, kH};
};

TEST_F(EffectTest, FadeAtRestAndHalfwayOut) {
  Show("bg.png", 0);
  effect().Start(CScreenEffect::kFade, 1, 0xFF336699, -1);
  host.DrawFrame();
  EXPECT_EQ(host.At(10, 10), 0xFF336699u);
  // Mode 8, duration 31, elapsed 16: alpha trunc(255 * 0.5) = 127.
  host.mode = 8;
  host.waitLength = 31;
  host.waitElapsed = 16;
  host.DrawFrame();
  EXPECT_EQ(host.At(10, 10),
            pixelblend::FillPixel(Background(10, 10), 0xFF336699, pixelblend::FillAlpha(0x7F000000)));
  // Effects off: the fade still fades.
  host.effectsOff = true;
  host.DrawFrame();
  EXPECT_EQ(host.At(10, 10),
            pixelblend::FillPixel(Background(10, 10), 0xFF336699, pixelblend::FillAlpha(0x7F000000)));
}

TEST_F(EffectTest, NegativeAtFullAndZeroStrength) {
  Show("bg.png", 0);
  effect().Start(CScreenEffect::kNegative, 1, 0, -1);
  host.DrawFrame();
  EXPECT_EQ(host.At(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(host.At(10, 20), 0xFF000000u | uint32_t(255 - 40) << 16 | 0xFF00u | uint32_t(255 - 100));
  host.mode = 7;
  host.waitLength = 30;
  host.waitElapsed = 1;
  host.DrawFrame();
  EXPECT_EQ(host.At(10, 20), Background(10, 20));
  host.mode = 0;
  host.effectsOff = true;
  host.DrawFrame();
  EXPECT_EQ(host.At(0, 0), 0xFF000000u);
}

TEST_F(EffectTest, FlashBrightensByStrength) {
  Show("bg.png", 0);
  effect().Start(CScreenEffect::kFlash, 1, 0, -1);
  host.DrawFrame();
  // T(i) = min(255, 2i) at full strength.
  EXPECT_EQ(host.At(10, 20), 0xFF000000u | 80u << 16 | 200u);
  EXPECT_EQ(host.At(40, 30), 0xFF000000u | 255u << 16 | 255u);
}

TEST_F(EffectTest, DistortionOnlyOnTheTargetLayer) {
  Show("green.png", 2, 0, 16);
  Show("red.png", 3);
  // ROTATE_RIGHT at level 2 turns layer 3 by half a turn about the screen centre.
  effect().Start(CScreenEffect::kRotateRight, 2, 0, 3);
  host.DrawFrame();
  EXPECT_EQ(host.At(kW - 4, kH - 4), kRed);
  EXPECT_EQ(host.At(4, 4), 0u);
  EXPECT_EQ(host.At(4, 20), kGreen);
  // Effects off: nothing is distorted.
  host.effectsOff = true;
  host.DrawFrame();
  EXPECT_EQ(host.At(4, 4), kRed);
}

TEST_F(EffectTest, VibrationShiftsByTheRandomPair) {
  Show("red.png", 1, 20, 20);
  effect().Start(CScreenEffect::kVibrationRand, 0, 0, -1);
  host.random.Seed(7);
  CRandom expected;
  expected.Seed(7);
  effect().UpdateEffect(1);
  const int32_t dx = (expected.Next() - 16383) * 4 / 32767;
  const int32_t dy = (expected.Next() - 16383) * 4 / 32767;
  EXPECT_EQ(effect().VibrationX(), dx);
  EXPECT_EQ(effect().VibrationY(), dy);
  host.DrawFrame();
  EXPECT_EQ(host.At(20 + dx, 20 + dy), kRed);
  EXPECT_EQ(host.At(27 + dx, 27 + dy), kRed);
}

TEST_F(EffectTest, WipeScaleBandsFollowTheTimer) {
  WriteSolid("full.png", kW, kH, kRed);
  Show("full.png", 1);
  effect().Start(CScreenEffect::kWipeScaleDown, 1, 0, -1);
  host.mode = 7;
  host.waitLength = 4;
  host.waitElapsed = 1;
  host.DrawFrame();
  // Coming in at a quarter: the picture squeezed into rows [12, 48).
  EXPECT_EQ(host.At(5, 11), 0u);
  EXPECT_EQ(host.At(5, 12), kRed);
  host.mode = 8;
  host.DrawFrame();
  EXPECT_EQ(host.At(5, 11), kRed);
  EXPECT_EQ(host.At(5, 12), 0u);
}

TEST_F(EffectTest, BlindWipeFillsStrips) {
  effect().Start(CScreenEffect::kWipeBlindRight, 1, 0xFF0000FF, -1);
  host.mode = 7;
  host.waitLength = 3;
  host.waitElapsed = 2;  // q = 0.5; strips of 2 columns: the first whole, the last one column
  host.DrawFrame();
  EXPECT_EQ(host.At(1, 0), 0xFF0000FFu);
  EXPECT_EQ(host.At(62, 47), 0xFF0000FFu);
  EXPECT_EQ(host.At(63, 47), 0u);
  host.mode = 8;
  host.DrawFrame();
  EXPECT_EQ(host.At(1, 0), 0u);
  EXPECT_EQ(host.At(62, 47), 0u);
  EXPECT_EQ(host.At(63, 47), 0xFF0000FFu);
}

TEST_F(EffectTest, BlurStandsInForTheLayers) {
  Show("bg.png", 0);
  effect().Start(CScreenEffect::kBlurHorz, 0, 0, -1);
  EXPECT_EQ(host.discarded, 1);
  EXPECT_TRUE(effect().DrawsWholeScene());
  // The layer changes, but the blur keeps drawing the snapshot: at rest P = (256 (S(x-15) + S(x+15))) >> 9.
  Show("red.png", 0);
  host.DrawFrame();
  const uint32_t left = Background(5, 7), right = Background(35, 7);
  const uint32_t red = (((left >> 16) & 255) + ((right >> 16) & 255)) / 2;
  EXPECT_EQ(host.At(20, 7) & 0xFFFFFF, red << 16 | 35u);
  // Setting the same blur again keeps the snapshot.
  effect().SetEffect(CScreenEffect::kBlurHorz);
  EXPECT_EQ(host.discarded, 1);
  host.effectsOff = true;
  EXPECT_FALSE(effect().DrawsWholeScene());
}

TEST_F(EffectTest, MosaicTakesTheTopLeftOfEachCell) {
  Show("bg.png", 0);
  effect().Start(CScreenEffect::kMosaic, 1, 0, -1);
  host.mode = 7;
  host.waitLength = 11;
  host.waitElapsed = 2;  // s = 0.1: cells of 6 pixels, nx = 10, ny = 8
  host.DrawFrame();
  EXPECT_EQ(host.At(5, 5), Background(0, 0));
  EXPECT_EQ(host.At(13, 7), Background(12, 6));
  EXPECT_EQ(host.At(63, 47), Background(57, 42));
}

}  // namespace

#include <gtest/gtest.h>

#include "LayerTestHost.h"
#include "gfx/PixelBlend.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr int kW = 64;
constexpr int kH = 48;

class LayerSetTest : public CPictureFilesTest {
 protected:
  void SetUp() override {
    CPictureFilesTest::SetUp();
    WriteSolid("red.png", kW, kH, kRed);
    WriteSolid("blue.png", kW, kH, kBlue);
    WriteSolid("green.png", 8, 8, kGreen);
  }
  // Shows red, then blue with a transition of the given length, and sets the elapsed ticks.
  void Transit(int32_t transition, int32_t elapsed, int32_t duration, int32_t layer = 1) {
    Show("red.png", 0, 0, layer);
    Show("blue.png", transition, duration, layer);
    layers().Layer(layer).AdvanceTransition(elapsed);
  }
  void Show(const std::string& src, int32_t transition, int32_t duration, int32_t layer = 1,
            int32_t priority = 0) {
    SLayerImage image;
    image.layer = layer;
    image.src = src;
    image.transition = transition;
    image.duration = duration;
    image.priority = priority;
    image.mask = mask;
    layers().ShowImage(image);
  }
  CLayerSet& layers() { return *host.layers; }
  static uint32_t Over(uint32_t screen, uint32_t picture, uint32_t alpha) {
    return pixelblend::BlendPixel(screen, picture, pixelblend::MakeModulation(0xFFFFFF | alpha << 24),
                                  pixelblend::EBlendMode::kBlit);
  }

  CTestPictureHost host{kW, kH};
  std::string mask;
};

TEST_F(LayerSetTest, PictureWithoutTransitionReplacesThePreviousOne) {
  Show("red.png", 0, 0);
  Show("blue.png", 0, 0);
  EXPECT_EQ(layers().Layer(1).Previous(), nullptr);
  host.DrawFrame();
  EXPECT_EQ(host.At(0, 0), kBlue);
  EXPECT_EQ(host.At(kW - 1, kH - 1), kBlue);
}

TEST_F(LayerSetTest, FadeCrossesAtQuarterAndThreeQuarters) {
  Transit(CTransition::kFade, 2, 5);
  host.DrawFrame();
  EXPECT_EQ(host.At(10, 10), Over(kRed, kBlue, 127));
  Transit(CTransition::kFade, 4, 5);
  host.DrawFrame();
  EXPECT_EQ(host.At(10, 10), Over(Over(0, kRed, 127), kBlue, 255));
}

TEST_F(LayerSetTest, MoveLeftHalfway) {
  Transit(CTransition::kMoveLeft, 3, 5);
  host.DrawFrame();
  // The previous picture at (-32, -12), the new one at (32, -12).
  EXPECT_EQ(host.At(0, 0), kRed);
  EXPECT_EQ(host.At(31, 35), kRed);
  EXPECT_EQ(host.At(32, 0), kBlue);
  EXPECT_EQ(host.At(63, 35), kBlue);
  EXPECT_EQ(host.At(10, 36), 0u);
}

TEST_F(LayerSetTest, TrailDrawsTheCopiesOfTheModeTimer) {
  Transit(CTransition::kTrailRight, 0, 16);
  host.waitElapsed = 4;
  host.waitLength = 16;
  host.DrawFrame();
  // Previous (moving right): copies at u 0 (alpha 127), 2 (191), 4 (255): x 0, 8, 16. New from the left:
  // u 16, 14, 12: x -64, -56, -48; so columns 0-15 show the new picture's copies over the previous.
  EXPECT_EQ(host.At(20, 5), Over(Over(Over(0, kRed, 127), kRed, 191), kRed, 255));
  EXPECT_EQ(host.At(12, 5), Over(Over(Over(0, kRed, 127), kRed, 191), kBlue, 255));
  EXPECT_EQ(host.At(2, 5), Over(Over(Over(0, kRed, 127), kBlue, 191), kBlue, 255));
}

TEST_F(LayerSetTest, BlindDownHalfway) {
  CTestPictureHost tall{16, 600};
  WriteSolid("red.png", 16, 600, kRed);
  WriteSolid("blue.png", 16, 600, kBlue);
  for (const char* src : {"red.png", "blue.png"}) {
    SLayerImage image;
    image.src = src;
    image.transition = src[0] == 'b' ? CTransition::kBlindDown : 0;
    image.duration = 2;
    tall.layers->ShowImage(image);
  }
  tall.layers->Layer(0).AdvanceTransition(1);
  tall.DrawFrame();
  EXPECT_EQ(tall.At(0, 0), kBlue);
  EXPECT_EQ(tall.At(15, 18), kBlue);
  EXPECT_EQ(tall.At(0, 55), kBlue);
  EXPECT_EQ(tall.At(0, 56), kRed);
  EXPECT_EQ(tall.At(0, 589), kBlue);
  EXPECT_EQ(tall.At(0, 590), kRed);
  EXPECT_EQ(tall.At(0, 599), kRed);
}

TEST_F(LayerSetTest, ScaleUpSqueezesBothPictures) {
  Transit(CTransition::kScaleUp, 1, 2);
  host.DrawFrame();
  // D = 0.5: the previous picture in rows 0-23, the new one in rows 24-47.
  EXPECT_EQ(host.At(5, 0), kRed);
  EXPECT_EQ(host.At(5, 23), kRed);
  EXPECT_EQ(host.At(5, 24), kBlue);
  EXPECT_EQ(host.At(5, 47), kBlue);
}

TEST_F(LayerSetTest, MaskWithSharpGradation) {
  mask = "mask.png";
  WritePng("mask.png", kW, kH, [](int x, int) { return 0xFF000000u | uint32_t(x * 4) * 0x010101u; });
  Transit(CTransition::kMask, 3, 5);
  // e = 0.5: t = 128; columns whose mask value 4x is at least 128 (x >= 32) show the new picture.
  host.DrawFrame();
  EXPECT_EQ(host.At(31, 5), kRed);
  EXPECT_EQ(host.At(32, 5), kBlue);
  Transit(CTransition::kMaskNegative, 3, 5);
  host.DrawFrame();
  EXPECT_EQ(host.At(31, 5), kBlue);
  EXPECT_EQ(host.At(32, 5), kRed);
}

TEST_F(LayerSetTest, MaskWithoutMaskImageShowsNeitherPicture) {
  Show("green.png", 0, 0, 0);
  Transit(CTransition::kMask, 3, 5);
  host.DrawFrame();
  EXPECT_EQ(host.At(2, 2), kGreen);
  EXPECT_EQ(host.At(20, 20), 0u);
  // Alone, the new picture of a mask transition without a mask draws nothing either.
  layers().Layer(1).EndTransition();
  Show("blue.png", CTransition::kMask, 5, 2);
  host.DrawFrame();
  EXPECT_EQ(host.At(20, 20), kBlue);
  layers().Layer(2).AdvanceTransition(3);
  Show("", 0, 0, 1);
  host.DrawFrame();
  EXPECT_EQ(host.At(20, 20), 0u);
}

TEST_F(LayerSetTest, PrioritiesDrawInTwoPasses) {
  Show("blue.png", 0, 0, 1, 1);
  Show("red.png", 0, 0, 2, 0);
  Show("green.png", 0, 0, 3, 2);
  host.DrawFrame();
  // Layer 1 of priority 1 lies over layer 2 of priority 0; priority 2 never shows.
  EXPECT_EQ(host.At(2, 2), kBlue);
  EXPECT_EQ(host.At(30, 30), kBlue);
}

TEST_F(LayerSetTest, OpacityScalesTheLayerAlpha) {
  Show("red.png", 0, 0, 1);
  layers().SetOpacity(1, 128);
  host.DrawFrame();
  EXPECT_EQ(host.At(3, 3), Over(0, kRed, 128));
}

TEST_F(LayerSetTest, TransitionEndReleasesPreviousPictureAndMask) {
  mask = "mask.png";
  WriteSolid("mask.png", kW, kH, 0xFF808080);
  Transit(CTransition::kMask, 0, 10);
  EXPECT_NE(layers().Layer(1).Previous(), nullptr);
  EXPECT_FALSE(layers().Layer(1).Mask().IsEmpty());
  host.display.ClearSpans();
  layers().AdvanceTransitions(9);
  EXPECT_TRUE(layers().AnyTransitionRunning());
  layers().AdvanceTransitions(1);
  EXPECT_FALSE(layers().AnyTransitionRunning());
  EXPECT_EQ(layers().Layer(1).Previous(), nullptr);
  EXPECT_TRUE(layers().Layer(1).Mask().IsEmpty());
  EXPECT_EQ(host.display.DirtyRuns().size(), 1u);
  Transit(CTransition::kFade, 0, 10, 3);
  layers().CompleteTransitions();
  EXPECT_EQ(layers().Layer(3).Previous(), nullptr);
  EXPECT_EQ(layers().Layer(3).Current()->Layer(), 3);
}

TEST_F(LayerSetTest, MarksWhatTransitionsChange) {
  Show("green.png", CTransition::kFade, 10, 2);
  host.display.ClearSpans();
  layers().MarkFrameDirty();
  EXPECT_EQ(host.display.DirtyRuns(), (std::vector<SRect>{{0, 0, 8, 8}}));
  Show("green.png", CTransition::kMoveLeft, 10, 2);
  host.display.ClearSpans();
  layers().MarkFrameDirty();
  EXPECT_EQ(host.display.DirtyRuns(), (std::vector<SRect>{{0, 0, kW, kH}}));
}

TEST_F(LayerSetTest, StaticFrameTouchesNoPixel) {
  Show("red.png", 0, 0, 0);
  host.DrawFrame();
  host.display.ClearSpans();
  host.display.Pixels()[0] = 0x12345678;
  host.layers->DrawScene();
  EXPECT_EQ(host.At(0, 0), 0x12345678u);
}

TEST_F(LayerSetTest, ScrollMovesTheCurrentPicture) {
  Show("green.png", 0, 0, 4);
  layers().ScrollLayer(4, 10, 20, 0, false);
  layers().ScrollLayer(5, 10, 20, 0, false);
  EXPECT_EQ(layers().Layer(4).Current()->X(), 10);
  layers().ScrollLayer(4, 10, 0, 10, false);
  layers().Update(5);
  EXPECT_EQ(layers().Layer(4).Current()->X(), 15);
}

}  // namespace

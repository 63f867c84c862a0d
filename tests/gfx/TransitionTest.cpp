#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "LayerTestHost.h"
#include "gfx/PixelBlend.h"
#include "gfx/Transition.h"
#include "gfx/TransitionMask.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kBlue = 0xFF0000FF;

CTransition At(int32_t number, int32_t elapsed, int32_t duration) {
  CTransition t;
  t.Start(number, duration);
  t.Advance(elapsed);
  return t;
}

TEST(TransitionTest, ProgressValues) {
  EXPECT_DOUBLE_EQ(At(CTransition::kFade, 0, 5).Progress(), 0);
  EXPECT_DOUBLE_EQ(At(CTransition::kFade, 1, 5).Progress(), 0);
  EXPECT_DOUBLE_EQ(At(CTransition::kFade, 2, 5).Progress(), 0.25);
  EXPECT_DOUBLE_EQ(At(CTransition::kFade, 5, 5).Progress(), 1);
  EXPECT_DOUBLE_EQ(At(CTransition::kBlindDown, 1, 2).Squeeze(), 0.5);
  // A transition without duration is complete, not a division by zero.
  EXPECT_DOUBLE_EQ(At(CTransition::kBlindDown, 0, 0).Squeeze(), 1);
  CTransition t;
  t.Start(CTransition::kFade, 3);
  EXPECT_FALSE(t.Advance(2));
  EXPECT_TRUE(t.Advance(5));
  EXPECT_EQ(t.Elapsed(), 3);
}

TEST(TransitionTest, FadeAlphasAtAQuarterAndThreeQuarters) {
  const CTransition quarter = At(CTransition::kFade, 2, 5);
  EXPECT_EQ(quarter.Place(1, true, 800, 600).alpha, 127);
  EXPECT_EQ(quarter.Place(0, true, 800, 600).alpha, 255);
  const CTransition late = At(CTransition::kFade, 4, 5);
  EXPECT_EQ(late.Place(1, true, 800, 600).alpha, 255);
  EXPECT_EQ(late.Place(0, true, 800, 600).alpha, 127);
  // Alone, a picture fades linearly.
  EXPECT_EQ(quarter.Place(1, false, 800, 600).alpha, 63);
  EXPECT_EQ(quarter.Place(0, false, 800, 600).alpha, 191);
}

TEST(TransitionTest, MoveAndScrollOffsets) {
  const CTransition half = At(CTransition::kMoveLeft, 3, 5);
  const CTransition::SPlacement previous = half.Place(0, true, 800, 600);
  const CTransition::SPlacement next = half.Place(1, true, 800, 600);
  EXPECT_EQ(previous.x, -400);
  EXPECT_EQ(previous.y, -150);
  EXPECT_EQ(next.x, 400);
  EXPECT_EQ(next.y, -150);
  EXPECT_EQ(At(CTransition::kMoveRight, 3, 5).Place(0, true, 800, 600).x, 400);
  const CTransition scroll = At(CTransition::kScrollUp, 2, 5);
  EXPECT_EQ(scroll.Place(1, true, 800, 600).y, 450);
  EXPECT_EQ(scroll.Place(0, true, 800, 600).y, -150);
  EXPECT_EQ(At(CTransition::kScrollRight, 2, 5).Place(1, true, 800, 600).x, -600);
}

TEST(TransitionTest, TrailCopiesFollowTheModeTimer) {
  const CTransition trail = At(CTransition::kTrailLeft, 0, 30);
  // With the engine's timer at 3 only the copies delayed by 2 and 0 ticks show.
  const auto copies = trail.TrailCopies(0, 3, 30, 800);
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_EQ(copies[0].alpha, 191);
  EXPECT_EQ(copies[0].x, -26);  // u = 1: -800 / 30
  EXPECT_EQ(copies[1].alpha, 255);
  EXPECT_EQ(copies[1].x, -80);
  const auto entering = trail.TrailCopies(1, 10, 30, 800);
  ASSERT_EQ(entering.size(), 4u);
  EXPECT_EQ(entering[0].alpha, 63);
  EXPECT_EQ(entering[0].x, 693);  // u = 30 - 4
  EXPECT_EQ(entering[3].x, 533);
  EXPECT_EQ(At(CTransition::kTrailRight, 0, 30).TrailCopies(0, 10, 30, 800)[3].x, 266);
  // Without a mode timer the layer's own counters drive the copies.
  EXPECT_EQ(At(CTransition::kTrailLeft, 15, 30).TrailCopies(0, 0, 0, 800).back().x, -400);
}

TEST(TransitionTest, BlindStripsAtHalfway) {
  // H = 600: strips of 19 rows; strip 0 fully turned, strip 31 one row.
  EXPECT_EQ(CTransition::BlindStrip(0, 19, 0.5, true, false), std::make_pair(0, 19));
  EXPECT_EQ(CTransition::BlindStrip(31, 19, 0.5, true, false), std::make_pair(589, 590));
  EXPECT_EQ(CTransition::BlindStrip(31, 19, 0.5, false, false), std::make_pair(590, 608));
  EXPECT_EQ(CTransition::BlindStrip(2, 19, 0.5, true, false), std::make_pair(38, 56));
  EXPECT_EQ(CTransition::BlindStrip(0, 19, 0.5, true, true), std::make_pair(589, 608));
}

TEST(TransitionTest, MaskThresholds) {
  // Gradation 0: w = 1; at e = 0.5, t = 257 * 0.5.
  EXPECT_EQ(CTransitionMask::Thresholds(false, 0, 0.5, false).p0, 128);
  EXPECT_EQ(CTransitionMask::Thresholds(false, 0, 0.5, false).p1, 127);
  EXPECT_EQ(CTransitionMask::Thresholds(true, 0, 0.5, false).p0, 127);
  EXPECT_EQ(CTransitionMask::Thresholds(true, 0, 0.5, false).p1, 128);
  EXPECT_EQ(CTransitionMask::Thresholds(false, 100, 0.0, true).p0, 256);
  EXPECT_EQ(CTransitionMask::Thresholds(false, 100, 0.0, true).p1, 512);
}

TEST(TransitionTest, MaskBlendSharpAndSoft) {
  CSurface mask;
  mask.CreateBlank(4, 1);
  const uint32_t alphas[4] = {0, 100, 130, 255};
  for (int x = 0; x < 4; ++x) mask.Pixels()[x] = alphas[x] << 24;
  uint32_t screen[6] = {kBlue, kBlue, kBlue, kBlue, kBlue, kBlue};
  const uint32_t copy[6] = {kRed, kRed, kRed, kRed, kRed, kRed};
  // Sharp: T(v) = 255 * (v - 128) / -1: below 128 the copy returns, from 128 the screen stays.
  CTransitionMask::Blend(SDrawTarget::Unclipped(screen, 6, 1), copy, mask, {128, 127});
  EXPECT_EQ(screen[0], kRed);
  EXPECT_EQ(screen[1], kRed);
  EXPECT_EQ(screen[2], kBlue);
  EXPECT_EQ(screen[3], kBlue);
  EXPECT_EQ(screen[4], kBlue);  // outside the mask
  // A soft band from 0 to 255: k equals the mask value.
  std::fill(screen, screen + 6, kBlue);
  CTransitionMask::Blend(SDrawTarget::Unclipped(screen, 6, 1), copy, mask, {0, 255});
  EXPECT_EQ(screen[0], kBlue);
  // Mask 100 gives k = 100: red (255 * 100) >> 8 = 99, blue (255 * 156) >> 8 = 155.
  EXPECT_EQ(screen[1], 0xFF63009Bu);
  EXPECT_EQ(screen[3], kRed);
}

// Every channel of a soft mask blend is (copy * k + screen * (256 - k)) >> 8 on its own, the
// screen's alpha kept, for all mask values and any colours.
TEST(TransitionTest, MaskBlendChannelsAreIndependent) {
  constexpr int kW = 256;
  CSurface mask;
  mask.CreateBlank(kW, 2);
  std::mt19937 random(5);
  std::vector<uint32_t> screen(size_t(kW) * 2), copy(size_t(kW) * 2);
  for (size_t i = 0; i < screen.size(); ++i) {
    mask.Pixels()[i] = uint32_t(i % kW) << 24;
    screen[i] = random();
    copy[i] = random();
  }
  const std::vector<uint32_t> before = screen;
  CTransitionMask::Blend(SDrawTarget::Unclipped(screen.data(), kW, 2), copy.data(), mask, {0, 255});
  for (size_t i = 0; i < screen.size(); ++i) {
    const uint32_t k = uint32_t(i % kW);
    uint32_t expected = before[i];
    if (k > 252) {
      expected = copy[i];
    } else if (k >= 4) {
      expected = before[i] & 0xFF000000u;
      for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t c = (copy[i] >> shift) & 255, s = (before[i] >> shift) & 255;
        expected |= ((c * k + s * (256 - k)) >> 8) << shift;
      }
    }
    ASSERT_EQ(screen[i], expected) << "mask " << k;
  }
}

}  // namespace

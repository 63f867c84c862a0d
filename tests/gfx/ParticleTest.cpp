#include <gtest/gtest.h>

#include "LayerTestHost.h"
#include "gfx/ParticleField.h"
#include "gfx/ScreenEffect.h"

namespace {

constexpr int kW = 400;
constexpr int kH = 300;

class ParticleTest : public CPictureFilesTest {
 protected:
  void SetUp() override {
    CPictureFilesTest::SetUp();
    WriteSolid("system/particle/snow.png", 32, 32, 0xFFFFFFFF);
  }
  CScreenEffect& effect() { return host.layers->Effect(); }
  // Puts every flake on a grid of 40-pixel cells at depth W / 2, so each is drawn as an 8 x 8 square.
  void PlaceFlakesOnGrid() {
    std::vector<SParticle>& flakes = effect().Particles().Particles();
    for (size_t i = 0; i < flakes.size(); ++i)
      flakes[i] = {int32_t(20 + (i % 10) * 40), int32_t(20 + (i / 10) * 28), kW / 2};
  }
  int CountFlakes() const {
    int n = 0;
    for (size_t i = 0; i < 100; ++i) {
      // The flake's centre: x plus a sway of up to 4 pixels; its middle row is y.
      const int x = int(20 + (i % 10) * 40), y = int(20 + (i / 10) * 28);
      bool white = false;
      for (int dx = -4; dx <= 4; ++dx) white = white || host.At(x + dx, y) == 0xFFFFFFFFu;
      n += white;
    }
    return n;
  }

  CTestPictureHost host{kW, kH};
};

TEST_F(ParticleTest, CountsDropWithTheLevel) {
  EXPECT_EQ(CParticleField::Count(CScreenEffect::kRain, 0), 6);
  EXPECT_EQ(CParticleField::Count(CScreenEffect::kRain, 1), 25);
  EXPECT_EQ(CParticleField::Count(CScreenEffect::kSnow, 2), 100);
  EXPECT_EQ(CParticleField::Count(CScreenEffect::kRipple, 0), 5);
  EXPECT_EQ(CParticleField::Count(CScreenEffect::kRipple, 2), 20);
}

TEST_F(ParticleTest, SnowLowDrawsSixFlakesAndHighDrawsAll) {
  effect().Start(CScreenEffect::kSnow, 0, 0, -1);
  ASSERT_FALSE(effect().Particles().Image().IsEmpty());
  PlaceFlakesOnGrid();
  host.DrawFrame();
  EXPECT_EQ(CountFlakes(), 6);
  effect().Start(CScreenEffect::kSnow, 2, 0, -1);
  host.DrawFrame();
  EXPECT_EQ(CountFlakes(), 100);
  // Halfway in, half of them.
  host.mode = 7;
  host.waitLength = 10;
  host.waitElapsed = 5;
  host.DrawFrame();
  EXPECT_EQ(CountFlakes(), 50);
  host.effectsOff = true;
  host.DrawFrame();
  EXPECT_EQ(CountFlakes(), 0);
}

TEST_F(ParticleTest, ScatteredAboveTheScreenFromTheGenerator) {
  host.random.Seed(3);
  effect().Start(CScreenEffect::kRain, 1, 0, -1);
  CRandom r;
  r.Seed(3);
  const std::vector<SParticle>& drops = effect().Particles().Particles();
  ASSERT_EQ(drops.size(), 100u);
  const int32_t x = r.Next() * kW / 32767, y = r.Next() * kH * -3 / 65534, z = r.Next() * kW / 32767;
  EXPECT_EQ(drops[0].x, x);
  EXPECT_EQ(drops[0].y, y);
  EXPECT_EQ(drops[0].z, z);
  for (const SParticle& p : drops) EXPECT_LE(p.y, 0);
}

TEST_F(ParticleTest, SettingTheSameEffectKeepsParticles) {
  effect().Start(CScreenEffect::kSnow, 1, 0, -1);
  PlaceFlakesOnGrid();
  effect().SetEffect(CScreenEffect::kSnow);
  EXPECT_EQ(effect().Particles().Particles()[0].x, 20);
  effect().SetEffect(CScreenEffect::kSakura);
  EXPECT_NE(effect().Particles().Particles()[0].x, 20);
  effect().SetEffect(CScreenEffect::kFade);
  EXPECT_TRUE(effect().Particles().Particles().empty());
}

TEST_F(ParticleTest, UpdateMovesOnlyTheActiveParticlesAndWrapsThem) {
  effect().Start(CScreenEffect::kRain, 0, 0, -1);
  std::vector<SParticle>& drops = effect().Particles().Particles();
  for (SParticle& p : drops) p = {10, 0, 0};
  drops[1].y = kH + 100;
  effect().UpdateEffect(1);
  EXPECT_EQ(drops[0].y, 40);
  // 340 + 40 passes H + 128: back up by 3H / 2 + 256.
  EXPECT_EQ(drops[1].y, kH + 140 - (3 * kH / 2 + 256));
  EXPECT_EQ(drops[6].y, 0);
  effect().Start(CScreenEffect::kRipple, 2, 0, -1);
  std::vector<SParticle>& ripples = effect().Particles().Particles();
  ripples[0].z = kH / 2 - 1;
  effect().UpdateEffect(3);
  EXPECT_EQ(ripples[0].z, 2);
}

TEST_F(ParticleTest, RainAndRippleDrawAfterTheBackgroundOnly) {
  WriteSolid("over.png", kW, kH, 0xFF000080);
  effect().Start(CScreenEffect::kRain, 2, 0, -1);
  for (SParticle& p : effect().Particles().Particles()) p = {200, -10000, 0};
  effect().Particles().Particles()[0].y = 150;
  host.DrawFrame();
  // m = 1: a two-pixel streak from y 22 to 278, white at alpha 128 in the middle, fading to both ends.
  EXPECT_NEAR(double(host.At(199, 150) & 0xFF), 127, 1);
  EXPECT_NEAR(double(host.At(200, 150) & 0xFF), 127, 1);
  EXPECT_NEAR(double(host.At(200, 86) & 0xFF), 63, 2);
  EXPECT_EQ(host.At(201, 150), 0u);
  EXPECT_EQ(host.At(200, 21), 0u);
  SLayerImage image;
  image.layer = 1;
  image.src = "over.png";
  host.layers->ShowImage(image);
  host.DrawFrame();
  EXPECT_EQ(host.At(199, 150), 0xFF000080u);
}

}  // namespace

#include <gtest/gtest.h>

#include "app/GameSystem.h"
#include "persist/Settings.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

class ModeTable : public ::testing::Test {
 protected:
  CHeadlessPlatform platform{CInputScript(), true};
  CGameSystem game{platform};
  void TearDown() override { settings::Config().Reset(); }
};

}  // namespace

TEST_F(ModeTable, ChoiceAndRegionListsSurviveOnlyARepeatOfTheirMode) {
  game.SetMode(CGameSystem::kModeChoice);
  game.Choices().push_back({"a", 1});
  game.SetMode(CGameSystem::kModeChoice);  // choices are added one by one
  game.Choices().push_back({"b", 2});
  EXPECT_EQ(game.Choices().size(), 2u);
  game.ClickRegions().push_back({});
  game.SetMode(CGameSystem::kModeScript);
  EXPECT_TRUE(game.Choices().empty());
  EXPECT_EQ(game.ClickRegions().size(), 1u) << "leaving mode 4 leaves the region list alone";

  game.SetMode(CGameSystem::kModeClickRegions);
  game.SetMode(CGameSystem::kModeClickRegions);
  EXPECT_EQ(game.ClickRegions().size(), 1u);
  game.SetMode(CGameSystem::kModeWait);
  EXPECT_TRUE(game.ClickRegions().empty());
}

TEST_F(ModeTable, EnteringAChoiceOrRegionModeForgetsTheTakenEntry) {
  game.SetChoiceTaken(3);
  game.SetMode(CGameSystem::kModeChoice);
  EXPECT_EQ(game.ChoiceTaken(), -1);
  game.SetChoiceTaken(1);
  game.SetMode(CGameSystem::kModeClickRegions);
  EXPECT_EQ(game.ChoiceTaken(), -1);
}

TEST_F(ModeTable, WaitLengthFollowsTheMode) {
  for (int32_t timed : {7, 8, 10, 11}) {
    game.SetWaitLength(123);
    game.SetMode(timed);
    EXPECT_EQ(game.WaitLength(), 123) << "mode " << timed << " keeps the caller's length";
  }
  game.SetMode(CGameSystem::kModeWindow);
  EXPECT_EQ(game.WaitLength(), 10) << "the window time's default";
  game.SetMode(CGameSystem::kModeSoundWait);
  EXPECT_EQ(game.WaitLength(), CGameSystem::kWaitForever);
  game.SetMode(CGameSystem::kModeClickWait);
  EXPECT_EQ(game.WaitLength(), 0);
  // Text appears every max(1, ((100 - speed) * interval + 49) / 50) ticks: speed 50, interval 3.
  game.SetMode(CGameSystem::kModeText);
  EXPECT_EQ(game.WaitLength(), 3);
  settings::Config().SetValue(CPlayerConfig::kTextSpeed, 100);
  game.SetMode(CGameSystem::kModeText);
  EXPECT_EQ(game.WaitLength(), 1) << "never below one tick";
  settings::Config().SetValue(CPlayerConfig::kTextSpeed, 0);
  game.SetMode(CGameSystem::kModeText);
  EXPECT_EQ(game.WaitLength(), 6);
}

TEST_F(ModeTable, LeavingTheMapSpendsOneActionPointButNeverGoesNegative) {
  game.SetApEnabled(true);
  game.Variables().SetVariable("AP", 1);
  game.SetMode(CGameSystem::kModeMap);
  game.SetMode(CGameSystem::kModeScript);
  EXPECT_EQ(game.Variables().GetVariable("AP"), 0);
  game.SetMode(CGameSystem::kModeMap);
  game.SetMode(CGameSystem::kModeScript);
  EXPECT_EQ(game.Variables().GetVariable("AP"), 0);
  game.SetApEnabled(false);
  game.Variables().SetVariable("AP", 5);
  game.SetMode(CGameSystem::kModeMap);
  game.SetMode(CGameSystem::kModeScript);
  EXPECT_EQ(game.Variables().GetVariable("AP"), 5) << "without the rule nothing is spent";
}

TEST_F(ModeTable, SkipStopsAfterAChoiceOnlyWhenThePlayerAskedForIt) {
  game.SetMode(CGameSystem::kModeChoice);
  game.SetSkipping(true);
  game.SetAutoMode(true);
  game.SetMode(CGameSystem::kModeScript);
  EXPECT_TRUE(game.IsSkipping());
  settings::Config().SetValue(CPlayerConfig::kSkipContinue, 1);
  game.SetMode(CGameSystem::kModeWait);
  EXPECT_TRUE(game.IsSkipping()) << "only choice points stop it";
  game.SetMode(CGameSystem::kModeMapSelect);
  game.SetMode(CGameSystem::kModeScript);
  EXPECT_FALSE(game.IsSkipping());
  EXPECT_FALSE(game.IsAutoMode());
}

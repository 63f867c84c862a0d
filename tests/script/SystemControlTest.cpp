#include <gtest/gtest.h>

#include <algorithm>

#include "FakeScriptHost.h"
#include "script/SystemControl.h"

namespace {

class SystemControlTest : public ::testing::Test, public SScriptFixture, public ISystemControlTarget {
 protected:
  std::vector<std::string> calls;
  void SetMapAnswer(int32_t index, int32_t person, const std::string& label) override {
    calls.push_back("answer " + std::to_string(index) + " " + std::to_string(person) + " " + label);
  }
  void StopSkipping() override {
    host.skipping = false;
    calls.push_back("skip off");
  }
  void SetLayerOpacity(int32_t layer, int32_t opacity) override {
    calls.push_back("alpha " + std::to_string(layer) + " " + std::to_string(opacity));
  }
  void Run(const std::string& text) { CSystemControl(runner, *this).Run(text); }
};

TEST_F(SystemControlTest, ForceWaitRunsEvenWhileSkipping) {
  host.skipping = true;
  host.effectsOff = true;
  Start("a<KEYWAIT CURSOR=OFF>b<WAIT TIME=50>c");
  ASSERT_EQ(host.mode, 2);
  host.mode = 0;
  Run("[ForceWait] 60");
  EXPECT_EQ(host.mode, 11);
  int frames = 0;
  for (; host.mode == 11 && frames < 100; ++frames) Frame();
  EXPECT_EQ(frames, 60);
  EXPECT_EQ(host.page, "abc\n");  // the plain WAIT after it is still skipped
}

TEST_F(SystemControlTest, WordsSplitAtBlanksAndCommas) {
  host.skipping = true;
  Run("SetAlpha,PERSON2,128");
  Run("  SetAlpha \t PERSON7 5");
  Run("[MapAnswer] 3 12 talk_end");
  Run("[MapAnswer] 16 1 late");
  Run("[MapAnswer] 2 1 " + std::string(128, 'x'));
  Run("[MapAnswer] 2 1");
  Run("[SkipStop] ignored words");
  Run("[skipstop]");
  Run("");
  EXPECT_EQ(calls, (std::vector<std::string>{"alpha 2 128", "answer 3 12 talk_end", "skip off"}));
  EXPECT_EQ(std::count(host.log.begin(), host.log.end(), "dirty"), 3);
}

TEST_F(SystemControlTest, SoundEffectWaitsEndWhenTheirChannelsStop) {
  Run("[AllSEWait]");
  EXPECT_EQ(host.mode, 12);
  EXPECT_EQ(runner.GetSoundWaitMask(), 5u);
  Start("x<KEYWAIT>");  // with nothing playing the wait ends in the next step
  EXPECT_EQ(host.page, "x");
  host.mode = 0;
  host.playing[2] = true;
  Run("[SE2Wait]");
  Frame();
  EXPECT_EQ(host.mode, 12);
  host.playing[2] = false;
  Frame();
  EXPECT_EQ(host.mode, 0);
  Run("[MapSelect]");
  EXPECT_EQ(host.mode, 16);
}

TEST_F(SystemControlTest, ForcedWaitIsShortenedInDemoModeAsWaitIs) {
  host.demo = true;
  host.lostTicks = 25;
  Run("[ForceWait] 41");
  // max((41 + 1) / 2, 41 - 25) = 21: the wait gives back 20 of the lost ticks.
  EXPECT_EQ(host.mode, 11);
  EXPECT_EQ(host.waitLength, 21);
  EXPECT_EQ(host.lostTicks, 5);
  host.mode = 0;
  Run("[ForceWait] x");
  Run("[ForceWait]");
  EXPECT_EQ(host.mode, 0);
}

}  // namespace

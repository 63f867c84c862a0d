#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "FakeScriptHost.h"
#include "io/Trace.h"

namespace {

using Frames = std::vector<CScriptRunner::SBlockFrame>;

class RunnerTest : public ::testing::Test, public SScriptFixture {};

TEST_F(RunnerTest, EmptyLinesWaitForAClickWithANewPage) {
  Start("ab\ncd\n\nef\n");
  EXPECT_EQ(host.page, "ab\ncd\n");
  EXPECT_EQ(host.mode, 3);
  EXPECT_EQ(runner.GetLineIndex(), 3);
  Click();
  EXPECT_EQ(host.page, "ef\n");
  EXPECT_EQ(host.mode, 3);
  EXPECT_EQ(host.scenarioEnds, 0);
  Click();
  EXPECT_EQ(host.scenarioEnds, 1);
  EXPECT_FALSE(runner.IsActive());
}

TEST_F(RunnerTest, EmptyLinesWithoutTextAndCommentLinesDoNotWait) {
  Start("\n; comment\nx;y\n;\n");
  EXPECT_EQ(host.page, "x\n");
  EXPECT_EQ(host.mode, 3);
  EXPECT_EQ(runner.GetLineIndex(), 4);
}

TEST_F(RunnerTest, TraceReportsOpenedScriptsAndClickWaits) {
  char path[] = "/tmp/zel-trace-XXXXXX";
  close(mkstemp(path));
  ASSERT_TRUE(CTrace::Open(path));
  Start("ab\ncd\n\n");
  CTrace::Close();
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  std::remove(path);
  EXPECT_EQ(text.str(),
            "{\"frame\":0,\"event\":\"script\",\"name\":\"main.adv\"}\n"
            "{\"frame\":0,\"event\":\"click\",\"page\":\"ab\\ncd\",\"speaker\":\"speaker\"}\n");
}

TEST_F(RunnerTest, ChoiceGroupWithFalseConditionsIsPassedOver) {
  Start("<SELECT TEXT=a COND=0>\nx\n<END>\n<SELECT TEXT=b COND=\"1 == 2\">\ny\n<END>\nz<KEYWAIT>");
  EXPECT_EQ(host.page, "z");
  EXPECT_EQ(host.modes, std::vector<int32_t>{2});
}

TEST_F(RunnerTest, TakenChoiceRunsItsBodyAndGoesOnAfterTheGroup) {
  Start(
      "<SELECT TEXT=a>\nx\n<END>\n<SELECT TEXT=b COND=1>\ny\n<END>\n<SELECT TEXT=c "
      "COND=0>\nw\n<END>\nz<KEYWAIT>");
  ASSERT_EQ(host.mode, 4);
  ASSERT_EQ(host.choices.size(), 2u);
  EXPECT_EQ(host.choices[0].text, "a");
  EXPECT_EQ(host.choices[0].bodyLine, 1);
  EXPECT_EQ(host.choices[1].bodyLine, 4);
  EXPECT_EQ(runner.GetLineIndex(), 9);
  Frame();
  EXPECT_EQ(host.mode, 4);
  host.choiceTaken = 1;
  Frame();
  EXPECT_EQ(host.page, "y\n");
  EXPECT_TRUE(host.choices.empty());
  // The closing line waits for its click after the body's frame has been left.
  EXPECT_TRUE(runner.GetBlockStack().empty());
  EXPECT_EQ(runner.GetLineIndex(), 9);
  Click();
  EXPECT_EQ(host.page, "z");
}

TEST_F(RunnerTest, ConditionChainEntersOnlyTheFirstTrueBranch) {
  Start("<IF COND=0>\na\n<END>\n<IF COND=1>\nb\n<END>\n<IF COND=\"c = 1\">\nc\n<END>\nd<KEYWAIT>");
  EXPECT_EQ(host.variables.GetVariable("c"), 1);  // later conditions still run
  // The body's END line is an empty line: with text on the page it waits for a click.
  EXPECT_EQ(host.page, "b\n");
  EXPECT_EQ(host.modes, (std::vector<int32_t>{6, 6, 6, 0, 3}));
  Click();
  EXPECT_EQ(host.page, "d");
  EXPECT_EQ(runner.GetLineIndex(), 9);
}

TEST_F(RunnerTest, ConditionChainWithNoTrueBranchGoesOn) {
  Start("<IF COND=0>\na\n<END>\n<IF COND=\"\" >\n<IF COND=0>\nb\n<END>\n<END>\nd<KEYWAIT>");
  // An empty condition holds: the second branch is entered, and its nested chain is false.
  EXPECT_EQ(host.page, "d");
  EXPECT_TRUE(runner.GetBlockStack().empty());
}

TEST_F(RunnerTest, BreakInsideAConditionLeavesTheLoop) {
  Start(
      "<LOOP>\n<EXP EXP=\"n = n + 1\">\n<IF COND=\"n >= 3\">\n<BREAK>\n<END>\n<END>\nafter<EXP EXP=n "
      "OUTPUT=ON><KEYWAIT>");
  EXPECT_EQ(host.variables.GetVariable("n"), 3);
  EXPECT_EQ(host.page, "\n\n\nafter3");
  EXPECT_EQ(runner.GetLineIndex(), 6);
  EXPECT_TRUE(runner.GetBlockStack().empty());
}

TEST_F(RunnerTest, BreakOutsideALoopEmptiesTheBlockStack) {
  Start("<IF COND=1>\n<BREAK>x<KEYWAIT>\n<END>");
  EXPECT_EQ(host.page, "x");
  EXPECT_TRUE(runner.GetBlockStack().empty());
  EXPECT_EQ(runner.GetLineIndex(), 1);
}

TEST_F(RunnerTest, JumpOutOfALoopPopsItsFrame) {
  Start("<LOOP>\n<IF COND=1>\n<JUMP LABEL=out>\n<END>\n<END>\n<LABEL LABEL=out>\nx<KEYWAIT>");
  EXPECT_EQ(host.page, "x");
  EXPECT_EQ(runner.GetLineIndex(), 6);
  EXPECT_TRUE(runner.GetBlockStack().empty());
}

TEST_F(RunnerTest, JumpIntoABlockEntersItAsRunningThereWould) {
  Start(
      "<JUMP LABEL=inner>\n<LOOP>\na\n<IF COND=1>\n<LABEL "
      "LABEL=inner>\nb<KEYWAIT>\n<END>\n<BREAK><END>\nc<KEYWAIT>");
  EXPECT_EQ(host.page, "b");
  EXPECT_EQ(runner.GetBlockStack(), (Frames{{1, 1}, {7, 0}}));
  host.OnConfirm();
  host.ClearPage();
  Frame();
  EXPECT_EQ(host.page, "\nc");
  EXPECT_TRUE(runner.GetBlockStack().empty());
}

TEST_F(RunnerTest, JumpToAMissingLabelDoesNothing) {
  Start("a<JUMP LABEL=nowhere>b<KEYWAIT>");
  EXPECT_EQ(host.page, "ab");
}

TEST_F(RunnerTest, TransitionEndingMidFrameKeepsItsLeftoverTicks) {
  Start("<IMG SRC=a.png EFFECT=FADE TIME=5>a<WAIT TIME=20>b<KEYWAIT>", 8);
  EXPECT_EQ(host.mode, 10);
  EXPECT_EQ(host.waitElapsed, 5);
  EXPECT_EQ(host.page, "");
  Frame(8);  // the transition ends; the whole frame goes to the commands after it
  EXPECT_EQ(host.page, "a");
  EXPECT_EQ(host.mode, 11);
  EXPECT_EQ(host.waitElapsed, 8);
  Frame(8);
  EXPECT_EQ(host.waitElapsed, 16);
  Frame(8);  // a plain wait ends at once and gives the rest of the frame on
  EXPECT_EQ(host.page, "ab");
  EXPECT_EQ(host.mode, 2);
}

TEST_F(RunnerTest, SkippingMakesWaitsAndTransitionsInstant) {
  host.skipping = true;
  Start("<WAIT TIME=600><IMG SRC=a.png EFFECT=FADE TIME=60>a<SCREEN EFFECT=FADE TIME=30>b<KEYWAIT>");
  EXPECT_EQ(host.page, "ab");
  EXPECT_EQ(host.modes, std::vector<int32_t>{2});
  EXPECT_EQ(host.log[0], "img 0 a.png 0 0");
}

TEST_F(RunnerTest, ZeroLengthWaitsDoNotStopTheScript) {
  Start("<WAIT><IMG SRC=a.png EFFECT=FADE TIME=0>a<KEYWAIT>");
  EXPECT_EQ(host.page, "a");
  EXPECT_EQ(host.modes, std::vector<int32_t>{2});
}

TEST_F(RunnerTest, CallAndReturnContinueAfterTheCall) {
  files["sub.adv"] = "s<KEYWAIT>";
  Start("a<SCRIPT SRC=sub.adv>b<KEYWAIT>");
  EXPECT_EQ(host.page, "as");
  EXPECT_EQ(runner.GetScriptName(), "sub.adv");
  ASSERT_EQ(runner.GetCallStack().size(), 1u);
  EXPECT_EQ(runner.GetCallStack()[0].itemIndex, 2);
  Click();
  EXPECT_EQ(host.page, "as\nb");
  EXPECT_EQ(runner.GetScriptName(), "main.adv");
  EXPECT_TRUE(runner.GetCallStack().empty());
}

// Regression: the SCRIPT command belongs to the list that GOTO deletes; its file name and label were
// read after they had been freed.
TEST_F(RunnerTest, GotoReplacesTheScriptAndStartsAtTheLabel) {
  files["other.adv"] = "x\n<LABEL LABEL=start>\ny<KEYWAIT>";
  Start("<LOOP>\n<SCRIPT SRC=other.adv GOTO=ON LABEL=start>\n<END>");
  EXPECT_EQ(host.page, "y");
  EXPECT_EQ(runner.GetScriptName(), "other.adv");
  EXPECT_TRUE(runner.GetCallStack().empty());
  EXPECT_TRUE(runner.GetBlockStack().empty());
}

TEST_F(RunnerTest, MissingScriptIsReportedAndTheLabelIsLookedForHere) {
  Start("<SCRIPT SRC=none.adv LABEL=here>a\n<LABEL LABEL=here>\nb<KEYWAIT>");
  EXPECT_EQ(host.log[0], "seen none.adv");
  EXPECT_EQ(host.log[1], "error none.adv スクリプトファイルが開けません");
  EXPECT_EQ(host.page, "b");
  EXPECT_TRUE(runner.GetCallStack().empty());
}

TEST_F(RunnerTest, ExitScriptReturnsFromInsideBlocks) {
  files["sub.adv"] = "<LOOP>\n<IF COND=1>\n<EXIT TYPE=SCRIPT>\n<END>\n<END>";
  Start("<SCRIPT SRC=sub.adv>after<KEYWAIT>");
  EXPECT_EQ(host.page, "after");
  EXPECT_TRUE(runner.GetBlockStack().empty());
  EXPECT_EQ(host.scenarioEnds, 0);
}

TEST_F(RunnerTest, ExitGameAndTheEndOfTheTopScriptEndTheScenario) {
  files["sub.adv"] = "<EXIT>never";
  Start("<SCRIPT SRC=sub.adv>after");
  EXPECT_EQ(host.scenarioEnds, 1);
  EXPECT_EQ(host.page, "");
  EXPECT_FALSE(runner.IsActive());
  Start("<EXIT TYPE=SCRIPT>x");
  EXPECT_EQ(host.scenarioEnds, 2);
}

TEST_F(RunnerTest, ExpOutputPrintsWithTheFontInForce) {
  Start("<FONT SIZE=150 COLOR=ff><EXP EXP=\"a = 41 + 1\" OUTPUT=ON><EXP EXP=a>");
  EXPECT_EQ(host.log[0], "text 42/ 150 255");
  EXPECT_EQ(host.variables.GetVariable("a"), 42);
}

TEST_F(RunnerTest, ClickRegionsHoverByClickMapColourAndEnterTheTakenBody) {
  Start(
      "<CLICK PLACE=PERSON1 COLOR=0000FF>\na\n<END>\n<CLICK PLACE=PERSON1 COLOR=00FF00 "
      "COMMAND=talk>\nb\n<END>\nc<KEYWAIT>");
  ASSERT_EQ(host.mode, 5);
  ASSERT_EQ(host.regions.size(), 2u);
  EXPECT_EQ(host.regions[1].verb, 2);
  EXPECT_EQ(host.regions[1].color, 0xFF00);
  host.colorMaps[1] = 0x00FF10;  // differs by 16: not close enough
  Frame();
  EXPECT_EQ(host.choiceHover, -1);
  host.colorMaps[1] = 0x03F803;  // differs by 3 + 7 + 3
  host.colorMaps[0] = 0x0000FF;  // the first region's colour, but on another layer
  Frame();
  EXPECT_EQ(host.choiceHover, 1);
  EXPECT_EQ(host.log.back(), "cursor off");
  host.choiceTaken = 1;
  Frame();
  EXPECT_EQ(host.page, "b\n");
  EXPECT_TRUE(host.regions.empty());
  Click();
  EXPECT_EQ(host.page, "c");
}

TEST_F(RunnerTest, SoundWaitLastsWhileTheChannelPlays) {
  Start("<SOUND SRC=se.wav CHANNEL=2 WAIT=ON>a<KEYWAIT>");
  EXPECT_EQ(host.mode, 12);
  EXPECT_EQ(runner.GetSoundWaitMask(), 4u);
  Frame();
  EXPECT_EQ(host.mode, 12);
  host.playing[2] = false;
  Frame();
  EXPECT_EQ(host.page, "a");
  host.skipping = true;
  host.log.clear();
  Start("<SOUND SRC=se.wav CHANNEL=0 WAIT=ON>b");
  EXPECT_EQ(host.log, (std::vector<std::string>{"play 0 se.wav 0", "stop 0 0", "complete transitions"}));
}

TEST_F(RunnerTest, LoopWithoutAWaitEndsTheFrameInsteadOfHanging) {
  Start("<LOOP>\n<EXP EXP=\"n++\">\n<END>");
  EXPECT_TRUE(runner.IsActive());
  EXPECT_LE(runner.GetBlockStack().size(), 1u);
  const int32_t first = host.variables.GetVariable("n");
  EXPECT_GT(first, 0);
  Frame();
  EXPECT_GT(host.variables.GetVariable("n"), first);
}

TEST_F(RunnerTest, FastForwardEndsClickWaitsUntilTheTargetLine) {
  files["main.adv"] = "a\n\nb\n\nc\n\nd";
  ASSERT_TRUE(runner.OpenScript("main.adv", 4, false));
  EXPECT_TRUE(runner.IsFastForwarding());
  Frame();
  EXPECT_FALSE(runner.IsFastForwarding());
  EXPECT_EQ(host.page, "c\n");
  EXPECT_EQ(host.mode, 3);
}

TEST_F(RunnerTest, AutoModeEndsClickWaitsAfterTheAutoWait) {
  host.autoMode = true;
  host.autoWait = 3;
  Start("a<KEYWAIT>b<KEYWAIT>");
  int frames = 0;
  while (host.page == "a" && frames < 10) {
    Frame();
    ++frames;
  }
  // The counter reached 1 in the starting frame, then 2, 3, 4; above 3 it ends the wait.
  EXPECT_EQ(frames, 4);
  EXPECT_EQ(host.page, "ab");
}

TEST_F(RunnerTest, MapCommandOpensTheMapAndExitMapReturnsPastIt) {
  Start("<MAP SRC=map.adv MAP=3 BGM=m.ogg>after<KEYWAIT>");
  EXPECT_EQ(host.mode, 13);
  EXPECT_EQ(host.variables.GetVariable("MAP"), 3);
  EXPECT_EQ(host.mapMusic, "m.ogg");
  EXPECT_EQ(runner.GetScriptName(), "map.adv");
  EXPECT_EQ(runner.GetList(), nullptr);
  // The map screen starts a place's event as a call: a map frame is pushed.
  files["event.adv"] = "e<EXIT TYPE=MAP>";
  ASSERT_TRUE(runner.OpenScript("event.adv", 0, true));
  ASSERT_EQ(runner.GetCallStack().size(), 2u);
  EXPECT_EQ(runner.GetCallStack()[1].list, nullptr);
  EXPECT_EQ(runner.GetCallStack()[1].name, "map.adv");
  host.mode = 0;
  Frame();
  EXPECT_EQ(host.page, "eafter");
  EXPECT_TRUE(runner.GetCallStack().empty());
}

TEST_F(RunnerTest, EndOfAMapEventResumesTheMapLater) {
  Start("<MAP SRC=map.adv MAP=1 BGM=m.ogg>after<KEYWAIT>");
  files["event.adv"] = "e";
  runner.OpenScript("event.adv", 0, true);
  host.mode = 0;
  host.mapMusic = "event.ogg";
  host.clock = {2000, 1, 1, 23, 0};
  Frame();
  EXPECT_EQ(host.mode, 13);
  EXPECT_EQ(host.mapMusic, "m.ogg");
  EXPECT_EQ(host.clock.day, 2);
  EXPECT_EQ(host.clock.hour, 0);
  EXPECT_EQ(host.clock.minute, 30);
  // Out of action points the map is not resumed: the script after the MAP command goes on.
  host.apRule = true;
  host.variables.SetVariable("AP", 1);
  runner.OpenScript("event.adv", 0, true);
  host.variables.SetVariable("AP", 0);
  host.mode = 0;
  Frame();
  EXPECT_EQ(runner.GetScriptName(), "main.adv");
  EXPECT_EQ(host.page, "e\ne\nafter");
}

TEST_F(RunnerTest, SpeakingValueChangesEveryEightTicksWhileTheVoicePlays) {
  Start("<KEYWAIT>");
  host.speaking.clear();
  host.random.Seed(9);
  CRandom reference;
  reference.Seed(9);
  host.playing[3] = true;
  // Every step counts its ticks: the starting frame stepped twice (the command, then the wait), so
  // the counter is at 2; frames of 3 reach 5, 8, 11, 14, 17 and cross 8 and 16.
  for (int i = 0; i < 5; ++i) Frame(3);
  host.playing[3] = false;
  Frame(7);  // crosses 24, silent
  const int32_t first = reference.Next() % 3;
  const int32_t second = reference.Next() % 3;
  EXPECT_EQ(host.speaking, (std::vector<int32_t>{first, second, 0}));
}

TEST_F(RunnerTest, TextRevealLaysOutPiecesUntilNoneIsPending) {
  files["main.adv"] = "a<KEYWAIT>";
  runner.OpenScript("main.adv", 0, false);
  host.SetMode(1);
  host.waitLength = 4;  // the message text sets the reveal delay when it enters mode 1
  host.pendingPieces = 2;
  Frame(10);  // 4 ticks: a piece; 4 ticks: another; 2 ticks towards the next
  EXPECT_EQ(host.mode, 1);
  EXPECT_EQ(host.pendingPieces, 0);
  EXPECT_EQ(host.waitElapsed, 2);
  Frame(3);  // the wait runs out with nothing pending: the script goes on in the same frame
  EXPECT_EQ(host.page, "a");
  EXPECT_EQ(host.mode, 2);
}

}  // namespace

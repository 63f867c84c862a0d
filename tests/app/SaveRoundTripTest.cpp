// Save, load into a fresh engine, and the game goes on exactly as the original does: for every
// kind of wait a game can be saved in.
#include <gtest/gtest.h>

#include "SaveGameFixture.h"
#include "app/ScriptHostAdapter.h"
#include "audio/SoundSystem.h"
#include "gfx/LayerSet.h"
#include "script/ScriptRunner.h"
#include "ui/MessageText.h"
#include "ui/MessageWindow.h"

void CSaveGameFixture::ExpectSameState(CGameSystem& a, CGameSystem& b) {
  EXPECT_EQ(b.Mode(), a.Mode());
  EXPECT_EQ(b.WaitLength(), a.WaitLength());
  EXPECT_EQ(b.WaitElapsed(), a.WaitElapsed());
  EXPECT_EQ(b.Text().Page().Text(), a.Text().Page().Text());
  EXPECT_EQ(b.Text().Page().speaker, a.Text().Page().speaker);
  EXPECT_EQ(b.Text().LineIndex(), a.Text().LineIndex());
  EXPECT_EQ(b.Text().MessageNumber(), a.Text().MessageNumber());
  EXPECT_EQ(b.Text().Pending().size(), a.Text().Pending().size());
  EXPECT_EQ(b.Variables().GameVariables(), a.Variables().GameVariables());
  EXPECT_EQ(b.Script().GetScriptName(), a.Script().GetScriptName());
  EXPECT_EQ(b.Script().GetLineIndex(), a.Script().GetLineIndex());
  EXPECT_EQ(b.Script().GetItemIndex(), a.Script().GetItemIndex());
  EXPECT_EQ(b.Script().GetBlockStack(), a.Script().GetBlockStack());
  ASSERT_EQ(b.Script().GetCallStack().size(), a.Script().GetCallStack().size());
  for (size_t i = 0; i < a.Script().GetCallStack().size(); ++i) {
    EXPECT_EQ(b.Script().GetCallStack()[i].name, a.Script().GetCallStack()[i].name);
    EXPECT_EQ(b.Script().GetCallStack()[i].lineIndex, a.Script().GetCallStack()[i].lineIndex);
  }
  EXPECT_EQ(b.Choices().size(), a.Choices().size());
  EXPECT_EQ(b.ClickRegions().size(), a.ClickRegions().size());
  for (int32_t i = 0; i < CLayerSet::kLayerCount; ++i) {
    SCOPED_TRACE(i);
    SLayerPicture pa, pb;
    ASSERT_EQ(b.Layers().GetPicture(i, false, pb), a.Layers().GetPicture(i, false, pa));
    EXPECT_EQ(pb.src, pa.src);
    EXPECT_EQ(pb.x, pa.x);
    EXPECT_EQ(pb.y, pa.y);
    EXPECT_EQ(pb.zoom, pa.zoom);
    EXPECT_EQ(pb.time, pa.time);
    EXPECT_EQ(pb.moving, pa.moving);
    EXPECT_EQ(pb.move.elapsed, pa.move.elapsed);
    EXPECT_EQ(b.Layers().GetPicture(i, true, pb), a.Layers().GetPicture(i, true, pa));
    EXPECT_EQ(b.Layers().Layer(i).Opacity(), a.Layers().Layer(i).Opacity());
    EXPECT_EQ(b.Layers().Layer(i).Transition().Number(), a.Layers().Layer(i).Transition().Number());
    EXPECT_EQ(b.Layers().Layer(i).Transition().Elapsed(), a.Layers().Layer(i).Transition().Elapsed());
  }
  EXPECT_EQ(b.Layers().Effect().Effect(), a.Layers().Effect().Effect());
  EXPECT_EQ(b.Sound().Registry(), a.Sound().Registry());
  EXPECT_EQ(b.Window().IsShown(), a.Window().IsShown());
  EXPECT_EQ(b.Window().DatePlate().IsShown(), a.Window().DatePlate().IsShown());
  EXPECT_EQ(b.GameClock().year, a.GameClock().year);
  EXPECT_EQ(b.GameClock().minute, a.GameClock().minute);
  EXPECT_TRUE(b.DoneMarks() == a.DoneMarks());
}

namespace {

using enum CGameSystem::EMode;
constexpr int32_t kQuick = CGameSaves::kQuickSlot;

}  // namespace

TEST_F(CSaveGameFixture, ClickWaitWithNewPageAndVariables) {
  SEngine& a = StartGame(
      "<EXP EXP=\"score = 7\"><WINDOW NAME=語り手>一ページ目の文。\n二行目。\n\n"
      "<EXP EXP=\"score = score + 1\">二ページ目。<EXP EXP=score OUTPUT=ON>\n\n最後。\n\n");
  ASSERT_TRUE(a.RunUntil([&] { return a.game.Mode() == kModeClickWaitPage; }));
  ExpectSameAfterLoad(a, kQuick,
                      {{vk::kReturn, -1, -1, 30}, {vk::kReturn, -1, -1, 30}, {vk::kReturn, -1, -1, 30}});
  EXPECT_TRUE(a.game.HasQuickSave());
}

TEST_F(CSaveGameFixture, ClickWaitInsideAPageAndACalledScript) {
  CTempDir::Write("scenario/sub.adv", "呼ばれた側。<KEYWAIT>続き。\n\n");
  SEngine& a = StartGame("<IF COND=\"1\">\n<SCRIPT SRC=scenario\\sub.adv>戻った。\n\n<END>\n終わり。\n\n");
  ASSERT_TRUE(a.RunUntil([&] { return a.game.Mode() == kModeClickWait; }));
  ASSERT_EQ(a.game.Script().GetCallStack().size(), 1u);
  ExpectSameAfterLoad(a, 0,
                      {{vk::kReturn, -1, -1, 30}, {vk::kReturn, -1, -1, 30}, {vk::kReturn, -1, -1, 30}});
}

TEST_F(CSaveGameFixture, ChoiceWait) {
  SEngine& a = StartGame(
      "どちらにしますか。\n<SELECT TEXT=\"右\">\n右を選んだ。\n\n<END>\n<SELECT "
      "TEXT=\"左\">\n左を選んだ。\n\n<END>\n後。\n\n");
  ASSERT_TRUE(a.RunUntil([&] { return a.game.Mode() == kModeChoice; }));
  ASSERT_EQ(a.game.Choices().size(), 2u);
  ExpectSameAfterLoad(
      a, 1,
      {{vk::kDown, -1, -1, 1}, {vk::kDown, -1, -1, 1}, {vk::kReturn, -1, -1, 30}, {vk::kReturn, -1, -1, 30}});
}

TEST_F(CSaveGameFixture, ClickRegionWait) {
  SEngine& a = StartGame(
      "<IMG SRC=cg\\bg.png CLICK=cg\\map.bmp EFFECT=NONE>\n<CLICK PLACE=BG COMMAND=look COLOR=0000FF>\n"
      "見た。\n\n<END>\n<CLICK PLACE=BG COMMAND=talk COLOR=00FF00>\n話した。\n\n<END>\n");
  ASSERT_TRUE(a.RunUntil([&] { return a.game.Mode() == kModeClickRegions; }));
  ExpectSameAfterLoad(a, kQuick, {{0, 200, 300, 5}, {0, 200, 300, 30}, {vk::kReturn, -1, -1, 30}});
}

TEST_F(CSaveGameFixture, TimedWaitPartWayThrough) {
  SEngine& a = StartGame("待つ。\n\n<WAIT TIME=90>待った。\n\n");
  ASSERT_TRUE(a.RunUntil([&] { return a.game.Mode() == kModeClickWaitPage; }));
  a.Key(vk::kReturn);
  ASSERT_TRUE(a.RunUntil([&] { return a.game.Mode() == kModeWait && a.game.WaitElapsed() >= 40; }));
  ExpectSameAfterLoad(a, kQuick, {{0, -1, -1, 60}, {vk::kReturn, -1, -1, 30}});
}

TEST_F(CSaveGameFixture, RunningTransitionKeepsBothPictures) {
  SEngine& a = StartGame(
      "<IMG SRC=cg\\bg.png EFFECT=NONE><IMG SRC=cg\\bg2.png EFFECT=MASK MASK=cg\\mask.png "
      "TIME=60>変わった。\n\n");
  ASSERT_TRUE(a.RunUntil([&] { return a.game.Mode() == kModeTransition && a.game.WaitElapsed() >= 20; }));
  ASSERT_NE(a.game.Layers().Layer(0).Previous(), nullptr);
  ExpectSameAfterLoad(a, 2, {{0, -1, -1, 60}, {vk::kReturn, -1, -1, 30}});
}

TEST_F(CSaveGameFixture, ScreenEffectComingIn) {
  SEngine& a = StartGame("<SCREEN EFFECT=FADE DIR=IN TIME=60 COLOR=FFFFFF>明るく。\n\n");
  ASSERT_TRUE(a.RunUntil([&] { return a.game.Mode() == kModeEffectIn && a.game.WaitElapsed() >= 15; }));
  ExpectSameAfterLoad(a, kQuick, {{0, -1, -1, 60}, {vk::kReturn, -1, -1, 30}});
}

TEST_F(CSaveGameFixture, AnimatedAndMovingPicturesWithAlphaAndColourMap) {
  SEngine& a = StartGame(
      "<COLORMAP EFFECT=SEPIA><IMG SRC=anime\\blink.anm PLACE=PERSON2 X=100 Y=50 ZOOM=50 LOOP=ON EFFECT=NONE>"
      "<IMG SRC=cg\\chara.png PLACE=PERSON1 FLIP_X=ON EFFECT=NONE>"
      "<SCROLL PLACE=PERSON1 OFFSETX=300 OFFSETY=20 TIME=120 LOOP=ON>"
      "<SYSTEM COMMAND=\"SetAlpha PERSON1 128\">動く。\n\n次。\n\n");
  ASSERT_TRUE(a.RunUntil([&] { return a.game.Mode() == kModeClickWaitPage; }));
  a.RunFrames(33);
  ExpectSameAfterLoad(a, 3, {{0, -1, -1, 50}, {vk::kReturn, -1, -1, 30}});
  SLayerPicture moving;
  ASSERT_TRUE(engines.back()->game.Layers().GetPicture(1, false, moving));
  EXPECT_TRUE(moving.moving);
  EXPECT_EQ(moving.flags & SLayerPicture::kMirrored, SLayerPicture::kMirrored);
  EXPECT_EQ(engines.back()->game.Layers().Layer(1).Opacity(), 128);
  EXPECT_EQ(engines.back()->game.Layers().ColorMap(), 2);
}

TEST_F(CSaveGameFixture, LoopingMusicAndAVoice) {
  SEngine& a = StartGame(
      "<SOUND SRC=sound\\music.wav CHANNEL=1 LOOP=ON><SOUND SRC=sound\\voice.wav CHANNEL=3>声が鳴る。\n\n"
      "<SOUND SRC=sound\\voice.wav CHANNEL=3 WAIT=ON>待つ声。\n\n");
  ASSERT_TRUE(a.RunUntil([&] { return a.game.Mode() == kModeClickWaitPage; }));
  ASSERT_TRUE(a.game.Sound().IsChannelPlaying(CSoundSystem::kVoiceChannel));
  ASSERT_TRUE(a.game.SaveGame(kQuick));
  SEngine& b = NewEngine();
  ASSERT_TRUE(b.game.LoadGame(kQuick));
  ExpectSameState(a.game, b.game);
  EXPECT_TRUE(b.game.Sound().IsChannelPlaying(CSoundSystem::kMusicChannel));
  EXPECT_TRUE(b.game.Sound().IsChannelPlaying(CSoundSystem::kVoiceChannel));
  // The confirm stops the voice in both; the waited voice then plays the same length in both.
  const std::vector<SStep> steps = {{vk::kReturn, -1, -1, 120}, {vk::kReturn, -1, -1, 30}};
  EXPECT_EQ(TraceSteps(b, steps), TraceSteps(a, steps));
}

TEST_F(CSaveGameFixture, DatePlateShownWindowAndClock) {
  SEngine& a = StartGame(
      "<DATE YEAR=2024 MONTH=5 DAY=6 HOUR=7 MINUTE=8><DATE_WINDOW VISIBLE=TRUE><SAVETITLE TITLE=第二章>"
      "<WINDOW NAME=先生>日付が出る。\n\n<DATE_WINDOW VISIBLE=FALSE>消えた。\n\n");
  ASSERT_TRUE(a.RunUntil([&] { return a.game.Mode() == kModeClickWaitPage; }));
  ExpectSameAfterLoad(a, 4, {{vk::kReturn, -1, -1, 30}, {vk::kReturn, -1, -1, 30}});
  const SSlotSummary* summary = a.game.Saves().Summaries().Summary(4);
  ASSERT_NE(summary, nullptr);
  EXPECT_TRUE(summary->exists);
  EXPECT_EQ(summary->comment, "第二章");
  EXPECT_EQ(summary->speaker, "先生");
  EXPECT_EQ(summary->year, 2024);
  EXPECT_EQ(summary->minute, 8);
  EXPECT_EQ(summary->lines[0], "日付が出る。");
}

TEST_F(CSaveGameFixture, ScheduleDoneMarksSurviveALoadAndANewGameClearsThem) {
  SEngine& a = StartGame("地図の後。\n\n");
  ASSERT_TRUE(a.RunUntil([&] { return a.game.Mode() == kModeClickWaitPage; }));
  a.game.DoneMarks().Set("map\\town.csv", 300);
  a.game.DoneMarks().Set("map\\night.csv", 2);
  ExpectSameAfterLoad(a, 1, {{vk::kReturn, -1, -1, 30}});
  SEngine& b = NewEngine();
  ASSERT_TRUE(b.game.LoadGame(1));
  EXPECT_TRUE(b.game.DoneMarks().IsSet("map\\town.csv", 300));
  EXPECT_EQ(b.game.DoneMarks().Capacity("map\\town.csv"), 512u);
  EXPECT_TRUE(b.game.DoneMarks().IsSet("map\\night.csv", 2));
  b.game.ResetGame();
  EXPECT_EQ(b.game.DoneMarks().Capacity("map\\town.csv"), 0u);
}

TEST_F(CSaveGameFixture, TextStillBeingRevealed) {
  SEngine& a = StartGame("<SPEED TIME=20>ゆっくり表示される長い文です。\n\n次。\n\n");
  ASSERT_TRUE(
      a.RunUntil([&] { return a.game.Mode() == kModeText && a.game.Text().Page().Text().size() >= 6; }));
  ExpectSameAfterLoad(a, kQuick, {{0, -1, -1, 200}, {vk::kReturn, -1, -1, 30}});
}

TEST_F(CSaveGameFixture, MapAnswersSurviveALoadBeforeAndDuringTheMapSelection) {
  SEngine& a = StartGame(
      "<SYSTEM COMMAND=\"[MapAnswer] 2 4 left\"><SYSTEM COMMAND=\"[MapAnswer] 5 -1 right\">"
      "どちらへ。\n\n<SYSTEM COMMAND=\"[MapSelect]\">\n<LABEL LABEL=left>\n左へ。\n\n"
      "<LABEL LABEL=right>\n右へ。\n\n");
  ASSERT_TRUE(a.RunUntil([&] { return a.game.Mode() == kModeClickWaitPage; }));
  // Saved between setting the answers and opening the selection: the selection after the load
  // offers the same answers.
  ASSERT_TRUE(a.game.SaveGame(1));
  SEngine& b = NewEngine();
  ASSERT_TRUE(b.game.LoadGame(1));
  EXPECT_EQ(b.game.ScriptHost().MapAnswers()[2].label, "left");
  EXPECT_EQ(b.game.ScriptHost().MapAnswers()[2].person, 4);
  EXPECT_EQ(b.game.ScriptHost().MapAnswers()[5].label, "right");
  b.Key(vk::kReturn);
  ASSERT_TRUE(b.RunUntil([&] { return b.game.Mode() == kModeMapSelect; }));
  // In the selection, and again after loading it elsewhere: Right moves from 2 to 5 and decides.
  ExpectSameAfterLoad(b, kQuick, {{vk::kRight, -1, -1, 2}, {vk::kReturn, -1, -1, 60}});
  EXPECT_EQ(b.game.Text().Page().Text(), "右へ。");
  SEngine& c = NewEngine();
  ASSERT_TRUE(c.game.LoadGame(1));
  c.game.LoadGame(kQuick);
  EXPECT_EQ(c.game.Mode(), kModeMapSelect);
  EXPECT_EQ(c.game.ScriptHost().MapAnswers()[3].label, "") << "only the saved answers come back";
}

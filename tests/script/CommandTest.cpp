#include <gtest/gtest.h>

#include "FakeScriptHost.h"
#include "persist/Settings.h"
#include "script/ScriptParser.h"

namespace {

class CommandTest : public ::testing::Test, public SScriptFixture {};

const CScriptCommand& FirstItem(const CScriptCommandList& list) { return *list.GetLine(0)->GetItem(0); }

TEST(CommandDescription, TitlesAndDetailsAsListed) {
  struct SCase {
    const char* tag;
    const char* title;
    const char* detail;
  };
  const SCase cases[] = {
      {"<IMG SRC=bg\\room.png CLICK=bg\\room_c.png PLACE=PERSON2 EFFECT=BLIND_LEFT MASK=m\\wipe.png>",
       "room.png (room_c.png)", "人物２, ブラインド　左(wipe.png)"},
      {"<IMG>", "画像の消去", "背景"},
      {"<SOUND CHANNEL=3 WAIT=ON>", "サウンド停止", "チャンネル：3　待機"},
      {"<SCREEN EFFECT=SAKURA_LOW DIR=OUT>", "画面効果", "桜 アウト"},
      {"<SCREEN>", "画面効果", "なし"},
      {"<SCROLL PLACE=PERSON1 OFFSETX=-5 OFFSETY=7 TIME=9 LOOP=ON>", "スクロール",
       "人物１, 移動量：(-5, 7), 時間：9 ループ"},
      {"<SCROLL OFFSETX=1>", "スクロール", "背景, 移動量：(1, 0)"},
      {"<WAIT TIME=45>", "停止", "45 フレーム"},
      {"<SPEED TIME=4>", "速度変更", "速度：4"},
      {"<DATE YEAR=2003 MONTH=13 DAY=2 HOUR=7 MINUTE=5 SCREEN=TRUE>", "日付画面", "2003年13月2日 7時05分"},
      {"<MAP MAP=4>", "マップ画面 4", ""},
      {"<SCRIPT SRC=scenario\\sub.adv LABEL=top GOTO=ON>", "スクリプトの実行(復帰しない)", "sub.adv(top)"},
      {"<EXIT TYPE=MAP>", "マップ終了", ""},
      {"<EXIT TYPE=nothing>", "ゲーム終了", ""},
      {"<DEMO DEMO=FALSE>", "デモ終了", ""},
      {"<SYSTEM COMMAND=\"[SkipStop]\">", "[SkipStop]", ""},
      {"<DATE_WINDOW VISIBLE=FALSE>", "日付ウィンドウ 非表示", ""},
  };
  for (const SCase& c : cases) {
    auto list = ParseScript(c.tag);
    const CScriptCommand& item = FirstItem(*list);
    EXPECT_EQ(item.GetTitle(), c.title) << c.tag;
    EXPECT_EQ(item.GetDetail(), c.detail) << c.tag;
  }
}

TEST_F(CommandTest, ImageTransitionWaitsUnlessAsync) {
  Start(
      "<IMG SRC=a.png PLACE=PERSON1 EFFECT=FADE TIME=60>x<IMG SRC=b.png EFFECT=MASK ASYNC=ON>y<IMG "
      "PLACE=PERSON1>");
  EXPECT_EQ(host.log, (std::vector<std::string>{"img 1 a.png 1 60", "discard"}));
  EXPECT_EQ(host.mode, 10);
  EXPECT_EQ(host.waitLength, 60);
  for (int i = 0; i < 60; ++i) Frame();
  EXPECT_EQ(host.page, "xy\n");
  EXPECT_EQ(host.log[2], "img 0 b.png 18 30");
  EXPECT_EQ(host.log[4], "img 1  0 0");
}

TEST_F(CommandTest, DemoModeCatchesUpLostTicks) {
  host.demo = true;
  host.effectsOff = true;  // ignored in demo mode
  host.lostTicks = 50;
  Start("<IMG SRC=a.png EFFECT=FADE TIME=40>");
  // At most a quarter shorter: max((40 * 3 + 3) / 4, 40 - 50) = 30, and 10 lost ticks are used up.
  EXPECT_EQ(host.waitLength, 30);
  EXPECT_EQ(host.lostTicks, 40);
  host.mode = 0;
  host.lostTicks = 4;
  Start("<WAIT TIME=40>");
  EXPECT_EQ(host.waitLength, 36);
  EXPECT_EQ(host.lostTicks, 0);
  host.mode = 0;
  Start("<DEMO DEMO=FALSE>");
  EXPECT_FALSE(host.demo);
}

TEST_F(CommandTest, EffectsOffDropsTransitionsAndWaits) {
  host.effectsOff = true;
  Start(
      "<IMG SRC=a.png EFFECT=FADE><WAIT TIME=9><SCROLL OFFSETX=3 TIME=20><SCROLL OFFSETY=2 TIME=20 "
      "LOOP=ON>a");
  EXPECT_EQ(host.log, (std::vector<std::string>{"img 0 a.png 0 0", "discard", "scroll 0 3 0 0",
                                                "scroll 0 0 2 20 loop"}));
  EXPECT_TRUE(host.modes.empty());
}

TEST_F(CommandTest, ScreenEffectsComeInAndGoOut) {
  Start("<SCREEN EFFECT=SNOW_LOW>");
  EXPECT_EQ(host.log, std::vector<std::string>{"effect 32 0 0"});
  EXPECT_EQ(host.mode, 7);
  EXPECT_EQ(host.waitLength, 30);
  host.mode = 0;
  Start("<SCREEN EFFECT=RAIN DIR=OUT TIME=0>a<SCREEN EFFECT=RAIN DIR=OUT TIME=12 LEVEL=HIGH>");
  EXPECT_EQ(host.log, (std::vector<std::string>{"effect off", "effect 31 2 1"}));
  EXPECT_EQ(host.mode, 8);
  EXPECT_EQ(host.waitLength, 12);
}

TEST_F(CommandTest, SoundPlaysStopsAndIgnoresMissingChannels) {
  Start(
      "<SOUND SRC=bgm.ogg CHANNEL=1 LOOP=ON TIME=15><SOUND CHANNEL=1 TIME=30><SOUND SRC=x.ogg CHANNEL=5 "
      "WAIT=ON>a");
  EXPECT_EQ(host.log, (std::vector<std::string>{"play 1 bgm.ogg loop 15", "stop 1 30"}));
  EXPECT_EQ(host.page, "a\n");
}

TEST_F(CommandTest, WindowFadesWhenItsVisibilityChangesAndSubstitutesTheName) {
  host.variables.SetSubstitution("主人公の名前", "太郎");
  Start("<WINDOW NAME=主人公の名前><WINDOW VISIBLE=FALSE NAME=花子>");
  EXPECT_EQ(host.log, (std::vector<std::string>{"window on 太郎", "dirty", "window off 花子", "dirty"}));
  EXPECT_EQ(host.mode, 9);
  EXPECT_EQ(host.waitLength, 10);
}

TEST_F(CommandTest, DateStoresTheClockAsWritten) {
  Start("<DATE YEAR=2010 MONTH=13 DAY=40 HOUR=25 MINUTE=70><DATE_WINDOW><DATE SCREEN=TRUE BG=d.png>");
  EXPECT_EQ(host.log, (std::vector<std::string>{"plate on", "datescreen d.png"}));
  EXPECT_EQ(host.clock.year, 2000);
  host.log.clear();
  Start("<DATE YEAR=2010 MONTH=13 DAY=40 HOUR=25 MINUTE=70>");
  EXPECT_EQ(host.clock.year, 2010);
  EXPECT_EQ(host.clock.month, 13);
  EXPECT_EQ(host.clock.day, 40);
  EXPECT_EQ(host.clock.hour, 25);
  EXPECT_EQ(host.clock.minute, 70);
}

TEST_F(CommandTest, SimpleCommandsReachTheHost) {
  host.variables.SetSubstitution("key", "値");
  Start(
      "<SPEED TIME=7><SAVETITLE TITLE=第一話><SYSTEM COMMAND=\"[ForceWait] 60\"><COLORMAP EFFECT=SEPIA>"
      "<MOVIE SRC=op.mpg><KEYWORD KEYWORD=key><CLEAR><RUBY TEXT=字 RUBY=じ><KEYWAIT CURSOR=OFF>");
  EXPECT_EQ(host.log, (std::vector<std::string>{"speed 7", "savetitle 第一話", "system [ForceWait] 60",
                                                "colormap 2", "movie op.mpg", "newpage store",
                                                "text 字/じ 100 -1", "click line noicon"}));
  EXPECT_EQ(host.mode, 2);
}

TEST_F(CommandTest, NamesOutsideTheirTablesKeepTheDefaults) {
  Start("<IMG SRC=a.png PLACE=person1 EFFECT=fade><SCREEN EFFECT=SNOW LEVEL=MAX PLACE=PERSON9 DIR=SIDE>");
  EXPECT_EQ(host.log, (std::vector<std::string>{"img 0 a.png 0 0", "discard", "effect 32 1 0"}));
  EXPECT_EQ(host.lastEffect.place, -1);
  EXPECT_EQ(host.mode, 7);
  host.mode = 0;
  Start("<SCREEN EFFECT=FADE COLOR=112233 PLACE=PERSON3 LEVEL=LOW DIR=OUT TIME=5>");
  EXPECT_EQ(static_cast<uint32_t>(host.lastEffect.color), 0xFF332211u);
  EXPECT_EQ(host.lastEffect.place, 3);
  EXPECT_EQ(host.lastEffect.level, 0);
  EXPECT_EQ(host.mode, 8);
  EXPECT_EQ(host.waitLength, 5);
}

TEST_F(CommandTest, SkippingStartsScreenEffectsAtOnceAndEndsThemAtOnce) {
  host.skipping = true;
  Start("<SCREEN EFFECT=RAIN TIME=40><WAIT TIME=40><IMG SRC=a.png EFFECT=FADE TIME=40>a<SCREEN DIR=OUT>b");
  EXPECT_EQ(host.log,
            (std::vector<std::string>{"effect 31 1 0", "img 0 a.png 0 0", "discard", "effect off"}));
  EXPECT_TRUE(host.modes.empty());
  EXPECT_EQ(host.page, "ab\n");
}

TEST_F(CommandTest, DemoModeHalvesScreenChangesAtMost) {
  host.demo = true;
  host.lostTicks = 100;
  Start("<SCREEN EFFECT=FLASH TIME=31>");
  // max((31 + 1) / 2, 31 - 100) = 16; the 15 ticks saved are taken from the lost ones.
  EXPECT_EQ(host.waitLength, 16);
  EXPECT_EQ(host.lostTicks, 85);
  host.mode = 0;
  host.lostTicks = 7;
  Start("<IMG SRC=a.png EFFECT=FADE TIME=0><SCREEN EFFECT=FLASH DIR=OUT TIME=20>");
  EXPECT_EQ(host.log, (std::vector<std::string>{"img 0 a.png 1 0", "discard", "effect 19 1 1"}));
  EXPECT_EQ(host.waitLength, 13);
  EXPECT_EQ(host.lostTicks, 0);
}

TEST_F(CommandTest, ShownPicturesMarkTheirAlbumEntriesSeen) {
  std::vector<SAlbumEntry>& album = settings::Extras().Album();
  album.assign(3, SAlbumEntry{});
  album[0].images = {"cg\\one.png"};
  album[1].images = {"cg\\zero.png", "CG\\TWO.PNG"};
  album[2].images = {"cg\\two.png.bak"};
  Start("<IMG SRC=cg\\two.png PLACE=PERSON2><IMG PLACE=PERSON2>");
  EXPECT_FALSE(album[0].seen);
  EXPECT_TRUE(album[1].seen);
  EXPECT_FALSE(album[2].seen);
  settings::Extras().Clear();
}

}  // namespace

#include <cmath>

#include "TitleTestGame.h"
#include "modes/DateMode.h"
#include "platform/VirtualKeys.h"
#include "script/GameClock.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kMonthColour = 0xFFC02020u;
constexpr uint32_t kWordColour = 0xFF20C020u;
constexpr uint32_t kDayWordColour = 0xFF2020C0u;

// Month 4 and day 2 have their number pictures; day 9 has none.
class DateModeTest : public CTitleTestGame {
 protected:
  void SetUp() override {
    AddSolidImage("date\\bg.png", 800, 600, kBackground);
    AddSolidImage("date\\day4.png", 128, 128, kMonthColour);
    AddSolidImage("date\\month.png", 128, 128, kWordColour);
    AddSolidImage("date\\day.png", 128, 128, kDayWordColour);
    UseSettings("");
    game.GameClock().month = 4;
    game.GameClock().day = 9;
  }
  // Updates by one tick until the mode ends; the number of updates that kept it running.
  static int RunToEnd(CDateMode& date, int32_t delta) {
    int frames = 0;
    while (date.Update(delta, 0, 0) != 0 && frames < 1000) ++frames;
    return frames;
  }
  uint32_t Rgb(int x, int y) { return At(x, y) | kBlack; }
};

TEST_F(DateModeTest, LastsTheThreePhasesPlusOneFrameAtEachBoundary) {
  CDateMode date(game, "system\\date\\bg.png");
  for (int i = 0; i < CDateMode::kIrisTicks; ++i) ASSERT_NE(date.Update(1, 0, 0), 0);
  EXPECT_EQ(date.Phase(), CDateMode::kOpening) << "the open iris stays for a frame";
  EXPECT_EQ(date.Counter(), CDateMode::kIrisTicks);
  date.Update(1, 0, 0);
  EXPECT_EQ(date.Phase(), CDateMode::kHolding);
  EXPECT_EQ(date.Counter(), 0);
  for (int i = 0; i < CDateMode::kHoldTicks - 1; ++i) date.Update(1, 0, 0);
  EXPECT_EQ(date.Phase(), CDateMode::kHolding);
  date.Update(1, 0, 0);
  EXPECT_EQ(date.Phase(), CDateMode::kClosing);
  EXPECT_EQ(RunToEnd(date, 1), CDateMode::kIrisTicks);

  // 60 + 1 + 120 + 60 updates keep the screen, the next one ends it.
  CDateMode again(game, "system\\date\\bg.png");
  EXPECT_EQ(RunToEnd(again, 1), 241);
  // Long frames are cut at the iris length, so the phases never run together.
  CDateMode slow(game, "system\\date\\bg.png");
  EXPECT_EQ(RunToEnd(slow, 50), 2 + 1 + 3 + 2);
}

TEST_F(DateModeTest, FirstFrameIsBlackButTheCentre) {
  CDateMode date(game, "system\\date\\bg.png");
  game.Display().MarkAllDirty();
  DrawChecked(date);
  int lit = 0;
  for (int y = 0; y < 600; y += 3)
    for (int x = 0; x < 800; x += 3)
      if (Rgb(x, y) != kBlack) {
        ++lit;
        EXPECT_LE(std::hypot(x - 400, y - 300), 2.0) << x << "," << y;
      }
  EXPECT_LE(lit, 1);
}

TEST_F(DateModeTest, IrisHalfOpenIsClearInsideAndBlackOutside) {
  CDateMode date(game, "system\\date\\bg.png");
  for (int i = 0; i < 30; ++i) date.Update(1, 0, 0);
  const auto [outer, inner] = CDateMode::IrisRadii(800, 30);
  EXPECT_EQ(outer, 400);
  EXPECT_EQ(inner, 200);
  DrawChecked(date);
  EXPECT_EQ(Rgb(400, 300), kBackground);
  EXPECT_EQ(Rgb(400 + 190, 300), kBackground) << "clear inside the inner ring";
  const uint32_t between = Rgb(400 + 300, 300);
  EXPECT_NE(between, kBackground);
  EXPECT_NE(between, kBlack) << "shaded between the rings";
  EXPECT_EQ(Rgb(0, 0), kBlack) << "black beyond the outer ring";
}

TEST_F(DateModeTest, PicturesSitInARowAboveTheBottomAndAMissingNumberLeavesItsPlace) {
  CDateMode date(game, "system\\date\\bg.png");
  for (int i = 0; i < 61; ++i) date.Update(1, 0, 0);
  ASSERT_EQ(date.Phase(), CDateMode::kHolding);
  DrawChecked(date);
  EXPECT_EQ(Rgb(0, 0), kBackground) << "no iris while holding";
  EXPECT_EQ(Rgb(31, 440), kBackground);
  EXPECT_EQ(Rgb(32, 440), kMonthColour);
  EXPECT_EQ(Rgb(159, 567), kMonthColour);
  EXPECT_EQ(Rgb(32, 439), kBackground);
  EXPECT_EQ(Rgb(32, 568), kBackground);
  EXPECT_EQ(Rgb(160, 500), kWordColour);
  EXPECT_EQ(Rgb(300, 500), kBackground) << "day 9 has no picture";
  EXPECT_EQ(Rgb(416, 500), kDayWordColour);
  EXPECT_EQ(Rgb(544, 500), kBackground);
}

TEST_F(DateModeTest, TakesNoInputAndEveryFrameMatchesItsWholeRedraw) {
  CDateMode date(game, "system\\date\\bg.png");
  EXPECT_EQ(date.OnKeyDown(vk::kReturn, 0, 0), 0);
  EXPECT_EQ(date.OnKeyDown(vk::kEscape, 0, 0), 0);
  EXPECT_EQ(date.OnCancel(), 0);
  date.OnLButtonDown(0, 400, 300);
  EXPECT_EQ(date.Phase(), CDateMode::kOpening);
  EXPECT_EQ(date.Counter(), 0) << "a click does not skip";
  for (int frame = 0; frame < 242; frame += 7) {
    for (int i = 0; i < 7; ++i) date.Update(1, 0, 0);
    DrawChecked(date);
  }
}

}  // namespace

#include <gtest/gtest.h>

#include <fstream>
#include <string_view>

#include "gfx/Display.h"
#include "io/TempDir.h"
#include "modes/TitleMenu.h"
#include "persist/CsvTable.h"
#include "ui/Layout.h"

namespace {

// Controls out of item order on screen, two items missing, and "終了" overlapping "スタート".
constexpr const char* kLayout =
    "CONTROL\nNAME コンティニュー\nPOS 100 100 300 140\nCONTROL END\n"
    "CONTROL\nNAME スタート\nPOS 100 300 300 340\nCONTROL END\n"
    "CONTROL\nNAME コンフィグ\nPOS 100 200 300 240\nCONTROL END\n"
    "CONTROL\nNAME アルバム\nPOS 400 100 600 140\nCONTROL END\n"
    "CONTROL\nNAME 終了\nPOS 120 320 320 440\nCONTROL END\n";

class TitleMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    display.Init(nullptr, 800, 600, true);
    CTempDir::Write("title.scn", kLayout);
    ASSERT_TRUE(layout.Load(display, "title.scn"));
  }

  CTempDir dir;
  CDisplay display;
  CLayout layout;
};

TEST_F(TitleMenuTest, HitTestTakesTheFirstItemInItemOrderAndHonoursExclusiveEdges) {
  EXPECT_EQ(CTitleMenu::HitTest(layout, 150, 330), CTitleMenu::kStart) << "overlap: item 0 before item 6";
  EXPECT_EQ(CTitleMenu::HitTest(layout, 150, 400), CTitleMenu::kQuit);
  EXPECT_EQ(CTitleMenu::HitTest(layout, 100, 100), CTitleMenu::kContinue) << "left and top are inside";
  EXPECT_EQ(CTitleMenu::HitTest(layout, 300, 120), CTitleMenu::kNone) << "right is outside";
  EXPECT_EQ(CTitleMenu::HitTest(layout, 450, 140), CTitleMenu::kNone) << "bottom is outside";
  EXPECT_EQ(CTitleMenu::HitTest(layout, 0, 0), CTitleMenu::kNone) << "missing controls never match at 0, 0";
  EXPECT_FALSE(CTitleMenu::Contains(layout, CTitleMenu::kNone, 150, 330));
  EXPECT_FALSE(CTitleMenu::Contains(layout, CTitleMenu::kMusic, 0, 0));
  EXPECT_FALSE(CTitleMenu::Contains(layout, CTitleMenu::kItems, 150, 330));
  EXPECT_TRUE(CTitleMenu::Contains(layout, CTitleMenu::kQuit, 150, 330)) << "the quit control covers it too";
}

TEST_F(TitleMenuTest, ArrowKeysWalkTheControlsInReadingOrderAndWrap) {
  // Reading order: continue (100,100), album (400,100), config (100,200), start (100,300), quit (120,320).
  EXPECT_EQ(CTitleMenu::Navigate(layout, CTitleMenu::kNone, 1), CTitleMenu::kContinue)
      << "with no selection the first item in reading order, not the start item";
  EXPECT_EQ(CTitleMenu::Navigate(layout, CTitleMenu::kNone, -1), CTitleMenu::kContinue);
  int32_t item = CTitleMenu::kContinue;
  const int32_t down[] = {CTitleMenu::kAlbum, CTitleMenu::kConfig, CTitleMenu::kStart, CTitleMenu::kQuit,
                          CTitleMenu::kContinue};
  for (int32_t expected : down) EXPECT_EQ(item = CTitleMenu::Navigate(layout, item, 1), expected);
  EXPECT_EQ(CTitleMenu::Navigate(layout, CTitleMenu::kContinue, -1), CTitleMenu::kQuit);
}

TEST(TitleMenu, ALayoutWithoutItemsOffersNothingToSelect) {
  CTempDir dir;
  CDisplay display;
  display.Init(nullptr, 800, 600, true);
  CLayout layout;
  CTempDir::Write("empty.scn", "CONTROL\nNAME 戻る\nPOS 0 0 800 600\nCONTROL END\n");
  ASSERT_TRUE(layout.Load(display, "empty.scn"));
  EXPECT_EQ(CTitleMenu::Navigate(layout, CTitleMenu::kNone, 1), CTitleMenu::kNone);
  EXPECT_EQ(CTitleMenu::HitTest(layout, 10, 10), CTitleMenu::kNone);
}

// Conditions are the row's own text: "1" holds, "0" does not, and the empty text gives the empty result.
int32_t Literal(std::string_view condition) { return condition.empty() ? 1 : condition == "1"; }

TEST(TitleMenu, TheLastTitleRowWhoseConditionHoldsChoosesTheLayout) {
  CCsvTable table;
  table.Parse(
      "項目,パラメータ\n"
      "タイトル画面,system\\title\\first.scn,1\n"
      "タイトル画面,system\\title\\second.scn\n"
      "タイトル画面,system\\title\\never.scn,0\n"
      "タイトルBGM,system\\title\\music.scn,1\n");
  EXPECT_EQ(CTitleMenu::ChooseLayout(table, Literal), "system\\title\\second.scn");

  table.Parse("項目,パラメータ\nタイトル画面,system\\title\\never.scn,0\n");
  EXPECT_EQ(CTitleMenu::ChooseLayout(table, Literal), "system\\title\\bg.scn");
  table.Parse("");
  EXPECT_EQ(CTitleMenu::ChooseLayout(table, Literal), "system\\title\\bg.scn");
}

TEST(TitleMenu, TheConditionIsTheColumnAfterTheParameterWhereverTheColumnsStand) {
  CCsvTable table;
  table.Parse("メモ,項目,パラメータ\nx,タイトル画面,system\\title\\night.scn,1,0\n");
  std::string seen;
  const auto record = [&seen](std::string_view condition) {
    seen = std::string(condition);
    return 1;
  };
  EXPECT_EQ(CTitleMenu::ChooseLayout(table, record), "system\\title\\night.scn");
  EXPECT_EQ(seen, "1");
}

}  // namespace

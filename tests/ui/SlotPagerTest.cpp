// The selection rules of the save and load screens: rows per page, the last short page, and which
// pages the keys and buttons reach with and without page controls.
#include <gtest/gtest.h>

#include "ui/SlotPager.h"

namespace {

// Presses Down until the selection stops; the slot it stops on.
int32_t DownToTheEnd(CSlotPager& pager) {
  for (int i = 0; i < 1000 && pager.Down();) ++i;
  return pager.Selection();
}

}  // namespace

TEST(SlotPager, ASlotCountThatIsNoMultipleOfThePageEndsOnAShortPage) {
  // 10 slots at 3 a page: pages 0 to 3, the last with the single slot 9.
  CSlotPager pager(10, 3, 0, {});
  EXPECT_EQ(DownToTheEnd(pager), 9);
  EXPECT_EQ(pager.Page(), 3);
  EXPECT_EQ(pager.PageBase(), 9);
  EXPECT_EQ(pager.SlotAt(0), 9);
  EXPECT_EQ(pager.SlotAt(1), -1) << "the last page shows one row";
  EXPECT_FALSE(pager.HasNextPage());
  EXPECT_FALSE(pager.NextPage());
  EXPECT_FALSE(pager.SelectRow(2)) << "no slot behind the row";
  EXPECT_EQ(pager.Selection(), 9);
}

TEST(SlotPager, RightMovesAPageOnlyWhenTheSameRowExistsThere) {
  CSlotPager pager(10, 3, 7, {});  // page 2, row 1
  EXPECT_FALSE(pager.NextPage()) << "slot 10 does not exist";
  EXPECT_TRUE(pager.PreviousPage());
  EXPECT_EQ(pager.Selection(), 4);
  EXPECT_TRUE(pager.PreviousPage());
  EXPECT_EQ(pager.Selection(), 1);
  EXPECT_FALSE(pager.HasPreviousPage());
  EXPECT_FALSE(pager.PreviousPage());
  EXPECT_FALSE(pager.SelectPage(3)) << "slot 10 would be needed for row 1 of page 3";
  EXPECT_TRUE(pager.SelectPage(2));
  EXPECT_EQ(pager.Selection(), 7);
}

TEST(SlotPager, WithControlsForPagesZeroAndOneOnlyTheThirdPageIsNeverReached) {
  CSlotPager pager(10, 3, 0, {true, true, false, false});
  EXPECT_EQ(DownToTheEnd(pager), 5) << "Down stops at the end of page 1";
  EXPECT_FALSE(pager.HasNextPage());
  EXPECT_FALSE(pager.NextPage());
  CSlotPager right(10, 3, 2, {true, true, false, false});
  EXPECT_TRUE(right.NextPage());
  EXPECT_EQ(right.Selection(), 5);
  EXPECT_FALSE(right.NextPage());
  EXPECT_EQ(right.Page(), 1);
}

TEST(SlotPager, WithoutPageControlsEveryPageUpToTheSlotCountIsReached) {
  CSlotPager pager(10, 3, 0, {});
  for (int page = 1; page <= 3; ++page) {
    ASSERT_TRUE(pager.NextPage());
    EXPECT_EQ(pager.Page(), page);
  }
}

TEST(SlotPager, UpStopsAtTheFirstSlotAndTheFirstPageAlwaysMovesDown) {
  // Even a layout whose page controls miss page 0 lets Down walk the first page.
  CSlotPager pager(10, 3, 0, {false, true});
  EXPECT_FALSE(pager.Up());
  EXPECT_TRUE(pager.Down());
  EXPECT_TRUE(pager.Down());
  EXPECT_EQ(pager.Selection(), 2);
  EXPECT_TRUE(pager.Down()) << "page 1 has a control";
  while (pager.Up()) {
  }
  EXPECT_EQ(pager.Selection(), 0);
}

TEST(SlotPager, ALastSlotBeyondTheSlotCountStartsAtTheFirstAndNoPageIsEmptyOfRows) {
  EXPECT_EQ(CSlotPager(10, 3, 12, {}).Selection(), 0);
  EXPECT_EQ(CSlotPager(10, 3, -1, {}).Selection(), 0);
  CSlotPager zero(10, 0, 4, {});
  EXPECT_EQ(zero.PerPage(), 1);
  EXPECT_EQ(zero.Page(), 4);
  CSlotPager none(0, 3, 0, {});
  EXPECT_EQ(none.SlotAt(0), -1);
  EXPECT_FALSE(none.Down());
  EXPECT_FALSE(none.SelectPage(0));
}

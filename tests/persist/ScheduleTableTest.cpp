#include <gtest/gtest.h>

#include "persist/DoneMarks.h"
#include "persist/RecordFile.h"
#include "persist/ScheduleTable.h"

namespace {

const std::string kHeader =
    "開始日,終了日,開始時間,終了時間,場所,スクリプト,優先度,回数,条件,人物,メッセージ,移動後メッセージ\n";

// Places of a test map: control 0 "駅", 1 "公園", 2 "駅" again (the last one of a name counts).
int32_t FindPlace(const std::string& name) {
  if (name == "駅") return 2;
  if (name == "公園") return 1;
  return -1;
}

struct CScheduleFixture : ::testing::Test {
  CScheduleTable table;
  CDoneMarks marks;
  std::vector<std::string> conditionsSeen;

  void Load(const std::string& rows) { table.Parse(kHeader + rows, "map\\town.csv"); }
  std::vector<int32_t> Rows(SScheduleMoment now) {
    std::vector<int32_t> rows;
    auto condition = [this](const std::string& text) {
      conditionsSeen.push_back(text);
      return text == "1" ? 1 : 0;
    };
    for (const auto& event : table.Events(now, FindPlace, condition, marks)) rows.push_back(event.row);
    return rows;
  }
  bool OfferedOn(int32_t month, int32_t day) { return !Rows({2001, month, day, 12, 0}).empty(); }
  bool OfferedAt(int32_t hour, int32_t minute) { return !Rows({2001, 6, 1, hour, minute}).empty(); }
};

TEST(ScheduleParseTest, DatesAndTimes) {
  using D = CScheduleTable::SDate;
  using T = CScheduleTable::STime;
  EXPECT_EQ(CScheduleTable::ParseDate("12/25", 2003), (D{2003, 12, 25}));
  EXPECT_EQ(CScheduleTable::ParseDate("1999/1/5", 2003), (D{1999, 1, 5}));
  EXPECT_EQ(CScheduleTable::ParseDate("", 2003), (D{-1, -1, -1}));
  EXPECT_EQ(CScheduleTable::ParseDate("25", 2003), (D{-1, -1, -1}));
  EXPECT_EQ(CScheduleTable::ParseTime("22:05"), (T{22, 5}));
  EXPECT_EQ(CScheduleTable::ParseTime("22"), (T{-1, -1}));
}

TEST_F(CScheduleFixture, DateRangeAcrossTheYearEnd) {
  Load("12/25,1/5,,,駅,a.txt\n");
  EXPECT_TRUE(OfferedOn(12, 30));
  EXPECT_TRUE(OfferedOn(1, 3));
  EXPECT_TRUE(OfferedOn(12, 25));
  EXPECT_TRUE(OfferedOn(1, 5));
  EXPECT_FALSE(OfferedOn(1, 10));
  EXPECT_FALSE(OfferedOn(12, 24));
}

TEST_F(CScheduleFixture, DateRangeWithinAYearAndWithYears) {
  Load("3/1,3/31,,,駅,a.txt\n2001/6/1,2002/1/1,,,公園,b.txt\n");
  EXPECT_EQ(Rows({2001, 3, 15, 0, 0}), (std::vector<int32_t>{0}));
  EXPECT_EQ(Rows({2001, 4, 1, 0, 0}), (std::vector<int32_t>{}));
  EXPECT_EQ(Rows({2001, 12, 31, 0, 0}), (std::vector<int32_t>{1}));
  EXPECT_EQ(Rows({2002, 3, 15, 0, 0}), (std::vector<int32_t>{0}));
}

TEST_F(CScheduleFixture, TimeRangeAcrossMidnight) {
  Load(",,22:00,2:00,駅,a.txt\n");
  EXPECT_TRUE(OfferedAt(23, 30));
  EXPECT_TRUE(OfferedAt(1, 0));
  EXPECT_TRUE(OfferedAt(2, 0));
  EXPECT_FALSE(OfferedAt(2, 1));
  EXPECT_FALSE(OfferedAt(12, 0));
}

TEST_F(CScheduleFixture, StartOnlyMeansThatDayOrMinuteAlone) {
  Load("6/1,,,,駅,a.txt\n");
  EXPECT_TRUE(OfferedOn(6, 1));
  EXPECT_FALSE(OfferedOn(6, 2));
  EXPECT_FALSE(OfferedOn(5, 31));
  Load(",,10:30,,駅,a.txt\n");
  EXPECT_TRUE(OfferedAt(10, 30));
  EXPECT_FALSE(OfferedAt(10, 31));
}

TEST_F(CScheduleFixture, UnknownPlacesAndFalseConditionsAreDropped) {
  Load(",,,,駅,a.txt,,,1\n,,,,駅,b.txt,,,0\n,,,,港,c.txt\n,,,,公園,d.txt\n");
  EXPECT_EQ(Rows({2001, 1, 1, 0, 0}), (std::vector<int32_t>{3, 0}));
  // The empty condition of row 3 is true without being evaluated.
  EXPECT_EQ(conditionsSeen, (std::vector<std::string>{"1", "0"}));
}

TEST_F(CScheduleFixture, PrioritiesDecideWhoTakesAPlace) {
  Load(",,,,駅,two.txt,2\n,,,,駅,one.txt,1\n");
  auto placement =
      CScheduleTable::Place(table.Events(
                                {2001, 1, 1, 0, 0}, FindPlace, [](const std::string&) { return 1; }, marks),
                            3);
  EXPECT_EQ(placement.slots[2].script, "one.txt");
  EXPECT_EQ(placement.slots[2].row, 1);
  Load(",,,,駅,first.txt,1\n,,,,駅,later.txt,1\n,,,,駅,other.txt,1\n");
  EXPECT_EQ(Rows({2001, 1, 1, 0, 0}), (std::vector<int32_t>{2, 1, 0}));
  placement =
      CScheduleTable::Place(table.Events(
                                {2001, 1, 1, 0, 0}, FindPlace, [](const std::string&) { return 1; }, marks),
                            3);
  EXPECT_EQ(placement.slots[2].script, "other.txt");
  EXPECT_TRUE(placement.slots[0].script.empty());
}

TEST_F(CScheduleFixture, MessagesFillEverySlotTheyCoverFirstComeFirst) {
  Load(",,,,,,0,,,,全体,移動全体\n,,,,駅,,,,,,駅の話\n,,,,駅,s.txt,-1,,,娘,,駅へ\n");
  auto placement =
      CScheduleTable::Place(table.Events(
                                {2001, 1, 1, 0, 0}, FindPlace, [](const std::string&) { return 1; }, marks),
                            3);
  ASSERT_EQ(placement.slots.size(), 3u);
  // Row 2 sorts first (priority -1), then row 1, then row 0 with no place.
  EXPECT_EQ(placement.slots[2].message, "駅の話");
  EXPECT_EQ(placement.slots[2].afterMessage, "駅へ");
  EXPECT_EQ(placement.slots[2].person, "娘");
  EXPECT_EQ(placement.slots[0].message, "全体");
  EXPECT_EQ(placement.slots[1].afterMessage, "移動全体");
  EXPECT_TRUE(placement.slots[1].script.empty());
  EXPECT_EQ(placement.immediateRow, -1);
}

TEST_F(CScheduleFixture, EventWithoutPlaceStartsAtOnceAndStopsTheWalk) {
  Load(",,,,駅,late.txt,1\n,,,,,now.txt,0,,,,,\n,,,,公園,early.txt,-1\n");
  auto placement =
      CScheduleTable::Place(table.Events(
                                {2001, 1, 1, 0, 0}, FindPlace, [](const std::string&) { return 1; }, marks),
                            3);
  EXPECT_EQ(placement.immediateRow, 1);
  EXPECT_EQ(placement.immediateScript, "now.txt");
  EXPECT_EQ(placement.slots[1].script, "early.txt");
  EXPECT_TRUE(placement.slots[2].script.empty());
}

TEST_F(CScheduleFixture, OnceOnlyEventsDoNotReturnUnlessUnlimited) {
  Load(",,,,駅,once.txt\n,,,,公園,always.txt,,無制限\n");
  marks.Set("map\\town.csv", 0);
  marks.Set("map\\town.csv", 1);
  EXPECT_EQ(Rows({2001, 1, 1, 0, 0}), (std::vector<int32_t>{1}));
  marks.Clear();
  EXPECT_EQ(Rows({2001, 1, 1, 0, 0}), (std::vector<int32_t>{1, 0}));
  // Marks of another file do not count.
  marks.Set("map\\other.csv", 0);
  EXPECT_EQ(Rows({2001, 1, 1, 0, 0}).size(), 2u);
}

TEST(DoneMarksTest, GrowsToTheNextPowerOfTwoKeepingBits) {
  CDoneMarks marks;
  EXPECT_EQ(marks.Capacity("a"), 0u);
  marks.Set("a", 3);
  EXPECT_EQ(marks.Capacity("a"), 256u);
  marks.Set("a", 255);
  EXPECT_EQ(marks.Capacity("a"), 256u);
  marks.Set("a", 300);
  EXPECT_EQ(marks.Capacity("a"), 512u);
  marks.Set("a", 512);
  EXPECT_EQ(marks.Capacity("a"), 1024u);
  EXPECT_TRUE(marks.IsSet("a", 3));
  EXPECT_TRUE(marks.IsSet("a", 255));
  EXPECT_TRUE(marks.IsSet("a", 300));
  EXPECT_FALSE(marks.IsSet("a", 301));
  EXPECT_FALSE(marks.IsSet("a", 5000));
  EXPECT_FALSE(marks.IsSet("a", -1));
  marks.Set("a", -4);
  EXPECT_EQ(marks.Capacity("a"), 1024u);
}

TEST(DoneMarksTest, RecordRoundTripAndDamagedPayload) {
  CDoneMarks marks;
  marks.Set("map\\a.csv", 300);
  marks.Set("map\\b.csv", 0);
  CRecordFile out;
  out.BeginChunk("EVNT");
  marks.Write(out);
  out.EndChunk();
  // Name, count 512, 64 bytes; name, count 256, 32 bytes.
  EXPECT_EQ(out.PlainBody().size(), 8u + (1 + 9 + 4 + 64) + (1 + 9 + 4 + 32));

  CRecordFile in(out.PlainBody());
  ASSERT_TRUE(in.NextChunk());
  CDoneMarks back;
  back.Set("stale", 1);
  back.Read(in);
  EXPECT_TRUE(back.IsSet("map\\a.csv", 300));
  EXPECT_TRUE(back.IsSet("map\\b.csv", 0));
  EXPECT_EQ(back.Capacity("map\\a.csv"), 512u);
  EXPECT_EQ(back.Capacity("stale"), 0u);

  // A count whose bits run past the chunk ends the reading without taking the entry.
  CRecordFile bad;
  bad.BeginChunk("EVNT");
  bad.WriteString("x");
  bad.WriteInt32(1 << 20);
  bad.WriteBytes("\xff\xff", 2);
  bad.EndChunk();
  CRecordFile badIn(bad.PlainBody());
  ASSERT_TRUE(badIn.NextChunk());
  back.Read(badIn);
  EXPECT_EQ(back.Capacity("x"), 0u);
}

}  // namespace

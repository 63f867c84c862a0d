// The per-row fields of the save and load screens: which control belongs to which row, and the
// texts of the number, newest mark, game date, comment and file time.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "ui/SlotFieldText.h"
#include "ui/SlotSummaries.h"

namespace {

std::string Text(const std::string& control, int32_t row, int32_t slot, const SSlotSummary& summary,
                 int32_t latest = -1) {
  const auto field = CSlotFieldText::ForRow(control, row);
  if (!field) return "(no field)";
  return CSlotFieldText::Text(*field, slot, summary, latest).value_or("(no text)");
}

SSlotSummary Saved() {
  SSlotSummary summary;
  summary.exists = summary.read = true;
  summary.year = 2026;
  summary.month = 4;
  summary.day = 9;
  summary.hour = 7;
  summary.minute = 5;
  summary.comment = "第二話";
  return summary;
}

// 2026-12-08 06:41:09 UTC as a file time of the summaries.
int64_t FileTimeOf(std::time_t seconds) {
  const auto sys = std::chrono::system_clock::from_time_t(seconds);
  return std::chrono::file_clock::from_sys(sys).time_since_epoch().count();
}

class UtcZone : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* zone = std::getenv("TZ");
    previous = zone ? zone : "";
    hadZone = zone != nullptr;
    setenv("TZ", "UTC", 1);
    tzset();
  }
  void TearDown() override {
    if (hadZone)
      setenv("TZ", previous.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }
  std::string previous;
  bool hadZone = false;
};

}  // namespace

TEST(SlotFieldText, AControlBelongsToTheRowWhoseNumberEndsItsNameBeforeTheColon) {
  const auto date = CSlotFieldText::ForRow("日付1:m月d日 h:n", 1);
  ASSERT_TRUE(date);
  EXPECT_EQ(date->kind, "日付");
  EXPECT_EQ(date->format, "m月d日 h:n") << "the format keeps everything after the first colon";
  const auto plain = CSlotFieldText::ForRow("番号11", 11);
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->kind, "番号");
  EXPECT_EQ(plain->format, "");
  EXPECT_FALSE(CSlotFieldText::ForRow("番号2:m", 1)) << "row 2 is not row 1";
  EXPECT_FALSE(CSlotFieldText::ForRow("1", 1)) << "a bare number names no field";
  // Row 1 strips the last digit of "番号11" and finds no field of that kind.
  EXPECT_EQ(Text("番号11", 1, 1, Saved()), "(no text)");
  EXPECT_EQ(Text("ファイル0", 0, 0, Saved()), "(no text)") << "the row control itself is no field";
}

TEST(SlotFieldText, TheNumberHasTwoDigitsFromZeroAlsoForAnEmptySlot) {
  const SSlotSummary empty;
  EXPECT_EQ(Text("番号0", 0, 0, empty), "00");
  EXPECT_EQ(Text("番号2", 2, 7, empty), "07");
  EXPECT_EQ(Text("番号0", 0, 123, Saved()), "123");
  for (const char* control : {"最新ファイル0", "日付0", "タイトル0", "保存日時0:y"})
    EXPECT_EQ(Text(control, 0, 0, empty), "") << control << " of an empty slot";
}

TEST(SlotFieldText, TheNewestMarkTheGameDateAndTheComment) {
  EXPECT_EQ(Text("最新ファイル0", 0, 4, Saved(), 4), "New");
  EXPECT_EQ(Text("最新ファイル0", 0, 3, Saved(), 4), "");
  EXPECT_EQ(Text("日付0", 0, 0, Saved()), "04/09") << "the default format is m/d";
  EXPECT_EQ(Text("日付0:y年m月d日 h時n分", 0, 0, Saved()), "2026年04月09日 07時05分");
  EXPECT_EQ(Text("タイトル0", 0, 0, Saved()), "第二話");
}

TEST_F(UtcZone, TheFileTimeIsShownInLocalTimeWithTheDefaultOrTheControlsFormat) {
  SSlotSummary summary = Saved();
  summary.fileTime = FileTimeOf(1796712069);  // 2026-12-08 06:41:09 UTC
  EXPECT_EQ(Text("保存日時0", 0, 0, summary), "2026/12/08 06:41:09");
  EXPECT_EQ(Text("保存日時0:m/d h:n", 0, 0, summary), "12/08 06:41");
  setenv("TZ", "JST-9", 1);
  tzset();
  EXPECT_EQ(Text("保存日時0:y/m/d h:n", 0, 0, summary), "2026/12/08 15:41");
}

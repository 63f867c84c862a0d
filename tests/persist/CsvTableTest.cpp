#include <gtest/gtest.h>

#include <limits>

#include "persist/CsvTable.h"
#include "persist/MapTable.h"
#include "persist/PlayerConfig.h"
#include "persist/ShortcutKeys.h"
#include "platform/VirtualKeys.h"

namespace {

using Cells = std::vector<std::string>;

TEST(CsvTableTest, SplitsLinesAndCellsWithoutQuoting) {
  CCsvTable table;
  table.Parse("項目,パラメータ,\r\na,,b,\r\n\r\n\"q\",x\nlast");
  EXPECT_EQ(table.Header(), (Cells{"項目", "パラメータ"}));
  ASSERT_EQ(table.RowCount(), 4);
  EXPECT_EQ(table.Row(0), (Cells{"a", "", "b"}));
  EXPECT_EQ(table.Row(1), Cells{});
  EXPECT_EQ(table.Row(2), (Cells{"\"q\"", "x"}));
  EXPECT_EQ(table.Row(3), Cells{"last"});
  EXPECT_EQ(table.FindColumn("パラメータ"), 1);
  EXPECT_EQ(table.FindColumn("none"), -1);
  EXPECT_EQ(table.GetCell(0, 1, "d"), "");
  EXPECT_EQ(table.GetCell(0, 3, "d"), "d");
  EXPECT_EQ(table.GetCell(0, -1, "d"), "d");
  EXPECT_EQ(table.GetCell(9, 0, "d"), "d");
  EXPECT_EQ(table.GetInt(0, 1, 7), 7);
  table.Parse("h\n");
  EXPECT_EQ(table.RowCount(), 0);
}

TEST(CsvTableTest, ReadsIntegersAndColours) {
  EXPECT_EQ(CCsvTable::ParseInt("-12abc"), -12);
  EXPECT_EQ(CCsvTable::ParseInt("+7"), 7);
  EXPECT_EQ(CCsvTable::ParseInt(" \t1024"), 1024);
  EXPECT_EQ(CCsvTable::ParseInt("  "), 0);
  EXPECT_EQ(CCsvTable::ParseInt("x1"), 0);
  EXPECT_EQ(CCsvTable::ParseInt("99999999999"), 2147483647);
  EXPECT_EQ(CCsvTable::ParseInt("-99999999999"), std::numeric_limits<int>::min());
  EXPECT_EQ(CCsvTable::ParseColor("#ff8040"), 0xFFFF8040u);
  EXPECT_EQ(CCsvTable::ParseColor("FF8040"), 0xFFFF8040u);
  EXPECT_EQ(CCsvTable::ParseColor("80 00 00 00", false), 0x80000000u);
  EXPECT_EQ(CCsvTable::ParseColor("", false), 0u);
}

TEST(ShortcutKeysTest, ParsesKeyCells) {
  using S = CShortcutKeys::SShortcut;
  EXPECT_EQ(CShortcutKeys::ParseKey("SHIFT+F5"), (S{vk::kF1 + 4, true}));
  EXPECT_EQ(CShortcutKeys::ParseKey("F25"), (S{0, false}));
  EXPECT_EQ(CShortcutKeys::ParseKey("SHIFT+F25"), (S{0, true}));
  EXPECT_EQ(CShortcutKeys::ParseKey("F24"), (S{vk::kF24, false}));
  EXPECT_EQ(CShortcutKeys::ParseKey("F"), (S{'F', false}));
  EXPECT_EQ(CShortcutKeys::ParseKey("7"), (S{'7', false}));
  EXPECT_EQ(CShortcutKeys::ParseKey("PAGEDOWN"), (S{vk::kNext, false}));
  EXPECT_EQ(CShortcutKeys::ParseKey("BS"), (S{vk::kBack, false}));
  EXPECT_EQ(CShortcutKeys::ParseKey("a"), (S{0, false}));
  CShortcutKeys keys;
  EXPECT_EQ(keys.Get("ログ"), (S{vk::kUp, false}));
  EXPECT_EQ(keys.Get("クイックセーブ"), (S{'S', false}));
  EXPECT_EQ(keys.Get("セーブ"), (S{0, false}));
  EXPECT_TRUE(keys.Set("セーブ", "SHIFT+S"));
  EXPECT_FALSE(keys.Set("不明", "S"));
  EXPECT_EQ(keys.Get("セーブ"), (S{'S', true}));
}

TEST(MapTableTest, TimeSlotsAndMapRows) {
  CMapTable maps;
  maps.SetMap(2, {"a.scn"});
  EXPECT_EQ(maps.TimeSlots(), std::vector<int>{0});
  EXPECT_EQ(maps.MapCount(), 3);
  EXPECT_EQ(maps.Layout(2, 0), "a.scn");
  EXPECT_EQ(maps.Layout(0, 0), "");
  maps.SetTimeSlots({"9:30"});  // too late: the map row made the slot
  EXPECT_EQ(maps.TimeSlots(), std::vector<int>{0});

  maps.Clear();
  maps.SetTimeSlots({"8:00", "720", "18:05", "", "21:00"});
  maps.SetTimeSlots({"1:00"});
  EXPECT_EQ(maps.TimeSlots(), (std::vector<int>{480, 720, 1085}));
  maps.SetMap(1, {"m1a", "m1b", "m1c", "extra"});
  maps.SetMap(CMapTable::kMaxMap + 1, {"x"});
  EXPECT_EQ(maps.MapCount(), 2);
  EXPECT_EQ(maps.Layout(1, 2), "m1c");
  EXPECT_EQ(maps.Layout(1, 3), "");
  int minutes = -1;
  EXPECT_FALSE(CMapTable::ParseTime("朝", minutes));
  EXPECT_TRUE(CMapTable::ParseTime("1:5", minutes));
  EXPECT_EQ(minutes, 65);
}

TEST(PlayerConfigTest, RowsSetItemsByLabel) {
  CPlayerConfig config;
  EXPECT_FALSE(config.IsFullScreen());
  EXPECT_EQ(config.TextSpeed(), 50);
  EXPECT_EQ(config.AutoWait(), 60);
  EXPECT_EQ(config.Value(CPlayerConfig::kReadMark), 1);
  EXPECT_TRUE(config.ApplyRow("フルスクリーン", 0));
  EXPECT_TRUE(config.IsFullScreen());
  EXPECT_TRUE(config.ApplyRow("高速", 0));
  EXPECT_EQ(config.TextSpeed(), 100);
  EXPECT_TRUE(config.ApplyRow("速度", 30));
  EXPECT_EQ(config.Value(CPlayerConfig::kTextSpeedStep), 30);
  EXPECT_TRUE(config.ApplyRow("オート速度", 25));
  EXPECT_EQ(config.AutoWait(), 90);
  EXPECT_TRUE(config.ApplyRow("BGM", 50));
  EXPECT_TRUE(config.ApplyRow("SE", 250));
  EXPECT_EQ(config.ChannelVolume(1), 128);
  EXPECT_EQ(config.ChannelVolume(3), 256);
  EXPECT_EQ(config.ChannelVolume(4), 256);
  EXPECT_TRUE(config.ApplyRow("全てスキップ", 0));
  EXPECT_EQ(config.Value(CPlayerConfig::kSkipMode), 1);
  // Buttons and switches cannot be set by rows.
  EXPECT_FALSE(config.ApplyRow("スイッチ0ON", 0));
  EXPECT_FALSE(config.ApplyRow("戻る", 0));
  EXPECT_EQ(config.Value(CPlayerConfig::kSwitch0), 0);
  config.Reset();
  EXPECT_EQ(config.ChannelVolume(1), 256);
}

}  // namespace

// A "時刻" row of 100000 slots with a "マップ999" row once made a table of 3.2 GB: slots stop at one
// per minute of the day, and only maps that have a row take memory.
TEST(MapTableTest, HugeRowsStayBounded) {
  std::vector<std::string> cells;
  for (int i = 0; i < 100000; ++i) cells.push_back(std::to_string(i % 1440));
  CMapTable maps;
  maps.SetTimeSlots(cells);
  ASSERT_EQ(maps.TimeSlots().size(), CMapTable::kMaxTimeSlots);
  EXPECT_EQ(maps.TimeSlots().back(), 1439);
  for (std::string& cell : cells) cell = "m" + cell + ".scn";
  maps.SetMap(CMapTable::kMaxMap, cells);
  EXPECT_EQ(maps.MapCount(), CMapTable::kMaxMap + 1);
  EXPECT_EQ(maps.Layout(CMapTable::kMaxMap, 1439), "m1439.scn");
  EXPECT_EQ(maps.Layout(CMapTable::kMaxMap, 1440), "");
  EXPECT_EQ(maps.Layout(500, 3), "");
  // A later row of the same map replaces the earlier one.
  maps.SetMap(CMapTable::kMaxMap, {"only.scn"});
  EXPECT_EQ(maps.Layout(CMapTable::kMaxMap, 0), "only.scn");
  EXPECT_EQ(maps.Layout(CMapTable::kMaxMap, 1), "");
}

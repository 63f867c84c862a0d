#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "persist/CsvTable.h"

class CDoneMarks;

// The in-game moment a schedule is filtered against.
struct SScheduleMoment {
  int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
};

// The events of a map schedule: a table with one event per row and columns found by their
// header ("開始日", "終了日", "開始時間", "終了時間", "場所", "スクリプト", "優先度", "回数",
// "条件", "人物", "メッセージ", "移動後メッセージ"). Rows are filtered by date, time, condition and
// done marks, ordered by priority, and spread over the places of the map.
class CScheduleTable {
 public:
  // A date is year, month, day; a time is hour, minute; a part not given is -1.
  using SDate = std::array<int32_t, 3>;
  using STime = std::array<int32_t, 2>;

  // A row that passed the filters. The place is the control index in the map layout, -1 for none.
  struct SEvent {
    int32_t row = 0;
    int32_t place = -1;
    int64_t sortKey = 0;
    std::string script, person, message, afterMessage;
  };
  // What one place of the map carries; it is active when it has a script.
  struct SPlaceSlot {
    int32_t row = -1;
    std::string script, person, message, afterMessage;
  };
  // The places after the walk, and the event without a place that starts at once (row -1: none).
  struct SPlacement {
    std::vector<SPlaceSlot> slots;
    int32_t immediateRow = -1;
    std::string immediateScript;
  };
  // The index of the last layout control with the name, or -1.
  using FindPlace = std::function<int32_t(const std::string& name)>;
  // The value of a condition expression (an empty one counts as true).
  using Condition = std::function<int32_t(const std::string& expression)>;

  // The table is read once; file is the schedule's path text, the key of its done marks.
  bool Load(const std::string& path);
  void Parse(const std::string& text, const std::string& file);
  const std::string& File() const { return file; }
  int RowCount() const { return table.RowCount(); }

  // The rows offered at now, sorted so the one that wins a place comes first: smaller priority
  // first, and within one priority the later row first.
  std::vector<SEvent> Events(const SScheduleMoment& now, const FindPlace& findPlace,
                             const Condition& condition, const CDoneMarks& marks) const;
  // Walks the sorted events over slotCount places: messages fill every slot they cover that has
  // none yet, a place's first event with a script takes it, and the first event without a place
  // that has a script starts at once and ends the walk.
  static SPlacement Place(const std::vector<SEvent>& events, size_t slotCount);

  // "y/m/d" or "m/d" (the year of currentYear); a cell without "/" gives no date (all -1).
  static SDate ParseDate(const std::string& cell, int32_t currentYear);
  // "h:m"; a cell without ":" gives no time (all -1).
  static STime ParseTime(const std::string& cell);
  // Whether now lies in start..end (inclusive). An end not given is the start; a start after the
  // end wraps (across the year end or midnight); no start means no limit.
  template <size_t N>
  static bool InRange(const std::array<int32_t, N>& start, std::array<int32_t, N> end,
                      const std::array<int32_t, N>& now);

 private:
  bool Offered(int row, const SScheduleMoment& now, const Condition& condition,
               const CDoneMarks& marks) const;
  std::string Cell(int row, const char* column) const;

  CCsvTable table;
  std::string file;
};

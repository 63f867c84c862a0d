#include "persist/ScheduleTable.h"

#include <algorithm>

#include "persist/DoneMarks.h"

namespace {

constexpr const char* kUnlimited = "無制限";

// The decimal numbers of a cell split at sep; an empty vector when sep does not occur.
std::vector<int32_t> SplitNumbers(const std::string& cell, char sep) {
  if (cell.find(sep) == std::string::npos) return {};
  std::vector<int32_t> parts;
  size_t begin = 0;
  while (true) {
    const size_t end = cell.find(sep, begin);
    parts.push_back(CCsvTable::ParseInt(cell.substr(begin, end - begin)));
    if (end == std::string::npos) break;
    begin = end + 1;
  }
  return parts;
}

template <size_t N>
bool Given(const std::array<int32_t, N>& value) {
  return std::any_of(value.begin(), value.end(), [](int32_t part) { return part != -1; });
}

}  // namespace

bool CScheduleTable::Load(const std::string& path) {
  file = path;
  return table.Load(path);
}

void CScheduleTable::Parse(const std::string& text, const std::string& path) {
  file = path;
  table.Parse(text);
}

std::string CScheduleTable::Cell(int row, const char* column) const {
  return table.GetCell(row, table.FindColumn(column), "");
}

CScheduleTable::SDate CScheduleTable::ParseDate(const std::string& cell, int32_t currentYear) {
  const std::vector<int32_t> parts = SplitNumbers(cell, '/');
  if (parts.size() == 2) return {currentYear, parts[0], parts[1]};
  if (parts.size() >= 3) return {parts[0], parts[1], parts[2]};
  return {-1, -1, -1};
}

CScheduleTable::STime CScheduleTable::ParseTime(const std::string& cell) {
  const std::vector<int32_t> parts = SplitNumbers(cell, ':');
  if (parts.size() < 2) return {-1, -1};
  return {parts[0], parts[1]};
}

template <size_t N>
bool CScheduleTable::InRange(const std::array<int32_t, N>& start, std::array<int32_t, N> end,
                             const std::array<int32_t, N>& now) {
  if (!Given(start)) return true;
  if (!Given(end)) end = start;
  if (start <= end) return start <= now && now <= end;
  return now >= start || now <= end;
}

template bool CScheduleTable::InRange<2>(const STime&, STime, const STime&);
template bool CScheduleTable::InRange<3>(const SDate&, SDate, const SDate&);

bool CScheduleTable::Offered(int row, const SScheduleMoment& now, const Condition& condition,
                             const CDoneMarks& marks) const {
  const SDate today{now.year, now.month, now.day};
  if (!InRange(ParseDate(Cell(row, "開始日"), now.year), ParseDate(Cell(row, "終了日"), now.year), today))
    return false;
  const STime minute{now.hour, now.minute};
  if (!InRange(ParseTime(Cell(row, "開始時間")), ParseTime(Cell(row, "終了時間")), minute)) return false;
  const std::string expression = Cell(row, "条件");
  if (!expression.empty() && condition(expression) == 0) return false;
  return Cell(row, "回数") == kUnlimited || !marks.IsSet(file, row);
}

std::vector<CScheduleTable::SEvent> CScheduleTable::Events(const SScheduleMoment& now,
                                                           const FindPlace& findPlace,
                                                           const Condition& condition,
                                                           const CDoneMarks& marks) const {
  std::vector<SEvent> events;
  const int rows = table.RowCount();
  const int priorityColumn = table.FindColumn("優先度");
  for (int row = 0; row < rows; ++row) {
    const std::string place = Cell(row, "場所");
    const int32_t placeIndex = place.empty() ? -1 : findPlace(place);
    if (!place.empty() && placeIndex < 0) continue;
    if (!Offered(row, now, condition, marks)) continue;
    SEvent event;
    event.row = row;
    event.place = placeIndex;
    event.sortKey = int64_t{table.GetInt(row, priorityColumn, 0)} * rows - row;
    event.script = Cell(row, "スクリプト");
    event.person = Cell(row, "人物");
    event.message = Cell(row, "メッセージ");
    event.afterMessage = Cell(row, "移動後メッセージ");
    events.push_back(std::move(event));
  }
  std::sort(events.begin(), events.end(),
            [](const SEvent& a, const SEvent& b) { return a.sortKey < b.sortKey; });
  return events;
}

CScheduleTable::SPlacement CScheduleTable::Place(const std::vector<SEvent>& events, size_t slotCount) {
  SPlacement placement;
  placement.slots.resize(slotCount);
  for (const SEvent& event : events) {
    const bool everywhere = event.place < 0;
    const size_t place = static_cast<size_t>(event.place);
    if (!everywhere && place >= slotCount) continue;
    const size_t first = everywhere ? 0 : place;
    const size_t last = everywhere ? slotCount : place + 1;
    for (size_t i = first; i < last; ++i) {
      SPlaceSlot& slot = placement.slots[i];
      if (slot.message.empty()) slot.message = event.message;
      if (slot.afterMessage.empty()) slot.afterMessage = event.afterMessage;
    }
    if (event.script.empty()) continue;
    if (everywhere) {
      placement.immediateRow = event.row;
      placement.immediateScript = event.script;
      break;
    }
    SPlaceSlot& slot = placement.slots[place];
    if (!slot.script.empty()) continue;
    slot.script = event.script;
    slot.row = event.row;
    slot.person = event.person;
  }
  return placement;
}

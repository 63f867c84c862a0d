#include "persist/MapTable.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "persist/CsvTable.h"

void CMapTable::Clear() {
  slots.clear();
  slotsSet = false;
  layouts.clear();
}

bool CMapTable::ParseTime(const std::string& cell, int& minutes) {
  if (cell.empty() || cell[0] < '0' || cell[0] > '9') return false;
  size_t colon = cell.find(':');
  if (colon == std::string::npos) {
    minutes = CCsvTable::ParseInt(cell);
    return true;
  }
  int64_t total =
      int64_t{CCsvTable::ParseInt(cell.substr(0, colon))} * 60 + CCsvTable::ParseInt(cell.substr(colon + 1));
  minutes = static_cast<int>(total > INT32_MAX ? INT32_MAX : total);
  return true;
}

void CMapTable::SetTimeSlots(const std::vector<std::string>& cells) {
  // A map row before the first "時刻" row already fixed the slots.
  if (slotsSet || !slots.empty()) return;
  slotsSet = true;
  for (const std::string& cell : cells) {
    int minutes = 0;
    if (slots.size() == kMaxTimeSlots || !ParseTime(cell, minutes)) break;
    slots.push_back(minutes);
  }
}

void CMapTable::SetMap(int n, const std::vector<std::string>& cells) {
  if (n < 0 || n > kMaxMap) return;
  if (slots.empty()) slots.push_back(0);
  std::vector<std::string>& row = layouts[n];
  row.assign(cells.begin(),
             cells.begin() + static_cast<std::ptrdiff_t>(std::min(cells.size(), slots.size())));
}

int CMapTable::MapCount() const { return layouts.empty() ? 0 : layouts.rbegin()->first + 1; }

std::string CMapTable::Layout(int n, int slot) const {
  if (n < 0 || slot < 0 || static_cast<size_t>(slot) >= slots.size()) return std::string();
  const auto row = layouts.find(n);
  if (row == layouts.end() || static_cast<size_t>(slot) >= row->second.size()) return std::string();
  return row->second[slot];
}

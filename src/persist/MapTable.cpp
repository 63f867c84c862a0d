#include "persist/MapTable.h"

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
    if (!ParseTime(cell, minutes)) break;
    slots.push_back(minutes);
  }
}

void CMapTable::SetMap(int n, const std::vector<std::string>& cells) {
  if (n < 0 || n > kMaxMap) return;
  if (slots.empty()) slots.push_back(0);
  const size_t count = slots.size();
  if (layouts.size() < (n + 1) * count) layouts.resize((n + 1) * count);
  for (size_t s = 0; s < count; ++s) layouts[n * count + s] = s < cells.size() ? cells[s] : std::string();
}

int CMapTable::MapCount() const {
  return slots.empty() ? 0 : static_cast<int>(layouts.size() / slots.size());
}

std::string CMapTable::Layout(int n, int slot) const {
  if (n < 0 || slot < 0 || static_cast<size_t>(slot) >= slots.size()) return std::string();
  size_t index = static_cast<size_t>(n) * slots.size() + slot;
  return index < layouts.size() ? layouts[index] : std::string();
}

#include "persist/CsvTable.h"

#include <limits>

#include "io/PackArchive.h"

namespace {

std::vector<std::string> SplitCells(const std::string& line) {
  std::vector<std::string> cells;
  size_t start = 0;
  while (start < line.size()) {
    size_t comma = line.find(',', start);
    if (comma == std::string::npos) comma = line.size();
    cells.push_back(line.substr(start, comma - start));
    start = comma + 1;
  }
  return cells;
}

}  // namespace

bool CCsvTable::Load(const std::string& path) {
  std::vector<uint8_t> content;
  if (!CPackArchive::Instance().LoadFile(path, content)) {
    Parse(std::string());
    return false;
  }
  Parse(std::string(content.begin(), content.end()));
  return true;
}

void CCsvTable::Parse(const std::string& text) {
  header.clear();
  rows.clear();
  size_t start = 0;
  bool first = true;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
    if (first)
      header = SplitCells(line);
    else
      rows.push_back(SplitCells(line));
    first = false;
  }
}

int CCsvTable::FindColumn(const std::string& name) const {
  for (size_t i = 0; i < header.size(); ++i)
    if (header[i] == name) return static_cast<int>(i);
  return -1;
}

std::string CCsvTable::GetCell(int row, int column, const std::string& defaultValue) const {
  if (row < 0 || row >= RowCount() || column < 0) return defaultValue;
  const std::vector<std::string>& cells = rows[row];
  return static_cast<size_t>(column) < cells.size() ? cells[column] : defaultValue;
}

int CCsvTable::GetInt(int row, int column, int defaultValue) const {
  std::string cell = GetCell(row, column, std::string());
  return cell.empty() ? defaultValue : ParseInt(cell);
}

int CCsvTable::ParseInt(const std::string& text) {
  // Leading blanks are skipped, as the C library's conversion does for hand-edited cells.
  size_t i = text.find_first_not_of(" \t");
  if (i == std::string::npos) return 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > std::numeric_limits<int32_t>::max()) value = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  }
  value = negative ? -value : value;
  if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
  return static_cast<int>(value);
}

uint32_t CCsvTable::ParseColor(const std::string& text, bool opaque) {
  uint32_t value = 0;
  for (char c : text) {
    int digit = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                       : -1;
    if (digit >= 0) value = value * 16 + static_cast<uint32_t>(digit);
  }
  return opaque ? value | 0xFF000000u : value;
}

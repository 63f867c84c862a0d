#include "ScheduleCheck.h"

#include <algorithm>

#include "io/PackArchive.h"
#include "io/Path.h"
#include "persist/CsvTable.h"

namespace {

// The control names of a layout file, read as the layout loader reads its NAME lines.
bool ReadControlNames(const std::string& path, std::vector<std::string>& names) {
  std::unique_ptr<CReadFile> file = CPackArchive::Instance().OpenFile(path);
  if (!file) return false;
  std::vector<std::string> tokens;
  while (ReadTokenLine(*file, tokens))
    if (tokens.size() >= 2 && tokens[0] == "NAME") names.push_back(tokens[1]);
  return true;
}

}  // namespace

CScheduleCheck::CScheduleCheck(std::vector<std::string> paths) {
  std::sort(paths.begin(), paths.end());
  paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
  for (const std::string& path : paths) {
    if (path.empty()) continue;
    SLayout layout{path, {}};
    if (!ReadControlNames(path, layout.names)) {
      layoutProblems.push_back({1, "missing map layout " + path});
      continue;
    }
    layouts.push_back(std::move(layout));
  }
  if (layouts.empty() && layoutProblems.empty()) layoutProblems.push_back({1, "the map has no layout"});
}

const CScheduleCheck::SLayout* CScheduleCheck::Holder(const std::string& place) const {
  for (const SLayout& layout : layouts)
    if (std::find(layout.names.begin(), layout.names.end(), place) != layout.names.end()) return &layout;
  return nullptr;
}

std::vector<CScheduleCheck::SProblem> CScheduleCheck::Check(
    const std::string& schedule, const std::function<void(const std::string&)>& follow) const {
  std::vector<SProblem> problems = layoutProblems;
  CCsvTable table;
  if (!table.Load(schedule)) return {{1, "cannot open the schedule"}};
  const auto cell = [&table](int row, const char* column) {
    return table.GetCell(row, table.FindColumn(column), "");
  };
  for (int row = 0; row < table.RowCount(); ++row) {
    const int32_t line = row + 2;
    const std::string place = cell(row, "場所");
    const SLayout* holder = place.empty() ? nullptr : Holder(place);
    if (!place.empty() && !holder && !layouts.empty()) problems.push_back({line, "missing place " + place});
    const std::string script = cell(row, "スクリプト");
    if (!script.empty()) {
      const std::string path = ResolveBeside(schedule, script);
      if (CPackArchive::Instance().Exists(path))
        follow(path);
      else
        problems.push_back({line, "missing file " + path});
    }
    const std::string person = cell(row, "人物");
    if (person.empty() || !holder) continue;
    const std::string animation = ResolveBeside(holder->path, person + ".anm");
    if (!CPackArchive::Instance().Exists(animation)) problems.push_back({line, "missing file " + animation});
  }
  return problems;
}

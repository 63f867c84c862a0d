// zeltool adv-check GAME_DIR [SCRIPT...]: checks scenario scripts for what the engine would pass
// over silently: unknown tags, unclosed blocks, stray END tags, files named by commands that the
// game does not hold, and jumps to labels that do not exist. Without SCRIPT names it checks the
// main script, the opening script and every script they reach through SCRIPT commands and the
// schedules of MAP commands, whose rows are checked for missing places, scripts and persons.
#include <algorithm>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <set>

#include "ScheduleCheck.h"
#include "ToolCommand.h"
#include "io/ArchiveTree.h"
#include "io/PackArchive.h"
#include "io/Path.h"
#include "io/ShiftJis.h"
#include "persist/Settings.h"
#include "script/ImgCommand.h"
#include "script/JumpCommand.h"
#include "script/MapCommand.h"
#include "script/MovieCommand.h"
#include "script/ParseListener.h"
#include "script/ScriptFileCommand.h"
#include "script/ScriptParser.h"
#include "script/SoundCommand.h"

namespace {

struct SProblem {
  int32_t line;
  std::string message;  // Shift JIS
};

class CAdvChecker : public IParseListener {
 public:
  // Checks one script; names of the scripts it calls are added to the queue. False on problems.
  bool Check(const std::string& script);
  void Follow(const std::string& script);
  // A map's schedule, checked against the layouts of that map number.
  void FollowSchedule(const std::string& schedule, int32_t map);
  bool RunQueue();

  void OnUnknownTag(const std::string& name, int32_t line) override { Add(line, "unknown tag " + name); }
  void OnStrayEnd(int32_t line) override { Add(line, "END without an open block"); }
  void OnUnclosedBlock(int32_t line) override { Add(line, "block is not closed by END"); }

 private:
  void Add(int32_t line, std::string message) { problems.push_back({line, std::move(message)}); }
  void CheckItem(const CScriptCommand& item, const CScriptCommandList& list);
  bool NeedFile(int32_t line, const std::string& name);
  void NeedLabel(int32_t line, const CScriptCommandList& list, const std::string& label,
                 const std::string& where);
  const CScriptCommandList* Load(const std::string& script);
  void Report(const std::string& script);
  bool CheckSchedule(const std::string& schedule, int32_t map);

  // A file to check: a script (map -1) or a schedule with its map number.
  struct SQueued {
    std::string name;
    int32_t map = -1;
    auto operator<=>(const SQueued&) const = default;
  };

  std::vector<SProblem> problems;
  std::map<std::string, std::unique_ptr<CScriptCommandList>> parsed;  // null when it cannot be opened
  std::deque<SQueued> queue;
  std::set<SQueued> queued;
};

bool HasLabel(const CScriptCommandList& list, const std::string& label) {
  for (int32_t i = 0; i < list.GetCount(); ++i)
    if (list.GetLine(i)->GetLabel() == label) return true;
  return false;
}

const CScriptCommandList* CAdvChecker::Load(const std::string& script) {
  auto it = parsed.find(script);
  if (it != parsed.end()) return it->second.get();
  std::unique_ptr<CScriptCommandList> list;
  if (auto file = CPackArchive::Instance().OpenFile(script)) list = ParseScript(*file);
  return (parsed[script] = std::move(list)).get();
}

bool CAdvChecker::Check(const std::string& script) {
  problems.clear();
  std::unique_ptr<CScriptCommandList> list;
  if (auto file = CPackArchive::Instance().OpenFile(script)) list = ParseScript(*file, this);
  if (!list) {
    std::fprintf(stdout, "%s: cannot open the script\n", sjis::ToUtf8(script).c_str());
    return false;
  }
  for (int32_t i = 0; i < list->GetCount(); ++i) {
    const CScriptLine& line = *list->GetLine(i);
    for (int32_t item = 0; item < line.GetItemCount(); ++item) CheckItem(*line.GetItem(item), *list);
  }
  Report(script);
  return problems.empty();
}

void CAdvChecker::CheckItem(const CScriptCommand& item, const CScriptCommandList& list) {
  const int32_t line = item.GetSourceLine();
  if (auto* img = dynamic_cast<const CImgCommand*>(&item)) {
    NeedFile(line, img->GetRequest().src);
    NeedFile(line, img->GetRequest().click);
    NeedFile(line, img->GetRequest().mask);
  } else if (auto* sound = dynamic_cast<const CSoundCommand*>(&item)) {
    NeedFile(line, sound->GetSource());
  } else if (auto* movie = dynamic_cast<const CMovieCommand*>(&item)) {
    NeedFile(line, movie->GetSource());
  } else if (auto* map = dynamic_cast<const CMapCommand*>(&item)) {
    if (NeedFile(line, map->GetSource())) FollowSchedule(map->GetSource(), map->GetMap());
  } else if (auto* jump = dynamic_cast<const CJumpCommand*>(&item)) {
    NeedLabel(line, list, jump->GetLabel(), {});
  } else if (auto* call = dynamic_cast<const CScriptFileCommand*>(&item)) {
    if (NeedFile(line, call->GetSource())) Follow(call->GetSource());
    // A script that cannot be opened leaves the label to the running script.
    const CScriptCommandList* target = Load(call->GetSource());
    if (!call->GetLabel().empty())
      NeedLabel(line, target ? *target : list, call->GetLabel(), target ? call->GetSource() : std::string());
  }
}

// True when the command names a file and the game holds it.
bool CAdvChecker::NeedFile(int32_t line, const std::string& name) {
  if (name.empty()) return false;
  if (CPackArchive::Instance().Exists(name)) return true;
  Add(line, "missing file " + name);
  return false;
}

void CAdvChecker::NeedLabel(int32_t line, const CScriptCommandList& list, const std::string& label,
                            const std::string& where) {
  if (HasLabel(list, label)) return;
  Add(line, "missing label " + label + (where.empty() ? std::string() : " in " + where));
}

void CAdvChecker::Follow(const std::string& script) {
  if (queued.insert({script, -1}).second) queue.push_back({script, -1});
}

void CAdvChecker::FollowSchedule(const std::string& schedule, int32_t map) {
  if (queued.insert({schedule, map}).second) queue.push_back({schedule, map});
}

bool CAdvChecker::CheckSchedule(const std::string& schedule, int32_t map) {
  const CMapTable& table = settings::MapTable();
  std::vector<std::string> layouts;
  for (size_t slot = 0; slot < table.TimeSlots().size(); ++slot)
    layouts.push_back(table.Layout(map, static_cast<int>(slot)));
  problems.clear();
  for (const CScheduleCheck::SProblem& problem :
       CScheduleCheck(layouts).Check(schedule, [this](const std::string& script) { Follow(script); }))
    Add(problem.line, problem.message);
  Report(schedule);
  return problems.empty();
}

bool CAdvChecker::RunQueue() {
  bool clean = true;
  while (!queue.empty()) {
    const SQueued next = queue.front();
    queue.pop_front();
    clean = (next.map < 0 ? Check(next.name) : CheckSchedule(next.name, next.map)) && clean;
  }
  return clean;
}

void CAdvChecker::Report(const std::string& script) {
  std::stable_sort(problems.begin(), problems.end(),
                   [](const SProblem& a, const SProblem& b) { return a.line < b.line; });
  const std::string file = sjis::ToUtf8(script);
  for (const SProblem& problem : problems)
    std::fprintf(stdout, "%s:%d: %s\n", file.c_str(), problem.line, sjis::ToUtf8(problem.message).c_str());
}

int AdvCheck(const std::vector<std::string>& args) {
  if (args.empty()) return ToolFail("usage: zeltool adv-check GAME_DIR [SCRIPT...]");
  std::vector<std::string> scripts;
  for (size_t i = 1; i < args.size(); ++i) {
    std::string name;
    if (!CArchiveTree::ToShiftJisName(args[i], name))
      return ToolFail(args[i] + ": the name has characters without a Shift JIS form");
    scripts.push_back(name);
  }
  if (!SetExeDirectoryCurrent(args[0])) return ToolFail(args[0] + ": cannot enter the game folder");
  if (!settings::LoadSettings()) return 1;
  CAdvChecker checker;
  if (scripts.empty()) {
    checker.Follow("scenario\\mainScript.adv");
    const std::string opening = settings::GetSetting("オープニングスクリプト", "");
    if (!opening.empty()) checker.Follow(opening);
    const bool clean = checker.RunQueue();
    std::fflush(stdout);
    return clean ? 0 : 1;
  }
  bool clean = true;
  for (const std::string& script : scripts) clean = checker.Check(script) && clean;
  std::fflush(stdout);
  return clean ? 0 : 1;
}

const CToolCommand kAdvCheck(
    "adv-check", "adv-check GAME_DIR [SCRIPT...]",
    "check scripts: unknown tags, unclosed blocks, stray END, missing files and labels", AdvCheck);

}  // namespace

#include "script/ScriptRunner.h"

#include <algorithm>

#include "io/PackArchive.h"
#include "io/Path.h"
#include "io/Trace.h"
#include "platform/Random.h"
#include "script/ExpressionEvaluator.h"
#include "script/GameClock.h"
#include "script/ScriptHost.h"
#include "script/ScriptParams.h"
#include "script/ScriptParser.h"
#include "script/VariableStore.h"

namespace {

constexpr int32_t kModeScript = 0;
constexpr int32_t kModeMap = 13;

std::unique_ptr<CReadFile> OpenFromArchives(const std::string& name) {
  return CPackArchive::Instance().OpenFile(name);
}

}  // namespace

CScriptRunner::CScriptRunner(IScriptHost& host) : host(host), openFile(OpenFromArchives) {}

CScriptRunner::~CScriptRunner() = default;

void CScriptRunner::SetFileOpener(FileOpener opener) {
  openFile = opener ? std::move(opener) : OpenFromArchives;
}

bool CScriptRunner::OpenScript(std::string name, int32_t fastForwardTarget, bool call) {
  host.MarkFlashbackSeen(name);
  std::unique_ptr<CScriptCommandList> parsed = LoadList(name);
  if (!parsed) return false;
  if (call) {
    PushCall();
  } else {
    UnwindBlocks();
    list.reset();
  }
  scriptName = std::move(name);
  list = std::move(parsed);
  lineIndex = itemIndex = readPosition = 0;
  if (fastForwardTarget != 0) {
    fastForwardSerial = list->Serial();
    fastForwardLine = fastForwardTarget;
  }
  host.DiscardElapsedTime();
  CTrace::Event("script", {{"name", scriptName}});
  return true;
}

void CScriptRunner::PushCall() {
  SCallFrame frame;
  frame.name = scriptName;
  if (host.GetMode() == kModeMap) {
    frame.mapMusic = host.GetMapMusic();
  } else {
    frame.list = std::move(list);
    frame.itemIndex = itemIndex;
    frame.lineIndex = lineIndex;
  }
  callStack.push_back(std::move(frame));
}

bool CScriptRunner::ReturnFromScript() {
  for (;;) {
    list.reset();
    if (callStack.empty()) return false;
    SCallFrame frame = std::move(callStack.back());
    callStack.pop_back();
    scriptName = frame.name;
    if (frame.list) {
      list = std::move(frame.list);
      itemIndex = frame.itemIndex;
      lineIndex = readPosition = frame.lineIndex;
      return true;
    }
    host.SetMapMusic(frame.mapMusic);
    host.ResetScene();
    // Out of action points the map is not resumed: return further, to the map's caller.
    if (host.IsActionPointRuleOn() && host.Variables().GetVariable("AP") < 1) continue;
    host.Clock().AddMinutes(host.MapEventMinutes());
    host.SetMode(kModeMap);
    return true;
  }
}

void CScriptRunner::EndScenario() {
  Reset();
  host.OnScenarioEnded();
}

void CScriptRunner::EnterMap(std::string name, int32_t number, std::string music) {
  if (host.HasScreenMode()) return;
  if (host.IsActionPointRuleOn() && host.Variables().GetVariable("AP") <= 0) return;
  PushCall();
  host.ResetScene();
  list.reset();
  scriptName = std::move(name);
  host.Variables().SetVariable("MAP", number);
  host.SetMapMusic(music);
  host.SetMode(kModeMap);
}

void CScriptRunner::ExitMap() {
  while (!callStack.empty() && callStack.back().list) {
    UnwindBlocks();
    ReturnFromScript();
  }
  UnwindBlocks();
  list.reset();
  if (!callStack.empty()) callStack.pop_back();
  if (!ReturnFromScript()) EndScenario();
}

void CScriptRunner::ExitScript() {
  UnwindBlocks();
  if (!ReturnFromScript()) EndScenario();
}

void CScriptRunner::Reset() {
  list.reset();
  scriptName.clear();
  callStack.clear();
  blockStack.clear();
  lineIndex = itemIndex = readPosition = 0;
  fastForwardSerial = 0;
  soundWaitMask = 0;
  autoCounter = 0;
}

std::unique_ptr<CScriptCommandList> CScriptRunner::LoadList(const std::string& name) {
  std::unique_ptr<CReadFile> file = openFile(ResolvePath(name));
  if (!file) {
    host.ShowError(CScriptParams::Format("%s スクリプトファイルが開けません", name.c_str()));
    return nullptr;
  }
  return ParseScript(*file);
}

void CScriptRunner::ClampPosition(const CScriptCommandList& script, int32_t& line, int32_t& item) {
  line = std::clamp(line, 0, script.GetCount());
  const CScriptLine* at = script.GetLine(line);
  item = std::clamp(item, 0, at ? at->GetItemCount() : 0);
}

bool CScriptRunner::RestoreCallFrame(std::string name, int32_t line, int32_t item, std::string mapMusic,
                                     bool map) {
  SCallFrame frame;
  if (!map) {
    frame.list = LoadList(name);
    if (!frame.list) return false;
    ClampPosition(*frame.list, line, item);
    frame.lineIndex = line;
    frame.itemIndex = item;
  }
  frame.name = std::move(name);
  frame.mapMusic = std::move(mapMusic);
  callStack.push_back(std::move(frame));
  return true;
}

bool CScriptRunner::RestoreRunning(std::string name, int32_t line, int32_t item, int32_t readPos) {
  list = LoadList(name);
  if (!list) return false;
  ClampPosition(*list, line, item);
  scriptName = std::move(name);
  lineIndex = line;
  itemIndex = item;
  readPosition = std::clamp(readPos, 0, list->GetCount());
  CTrace::Event("script", {{"name", scriptName}});
  return true;
}

void CScriptRunner::RestoreBlocks(const std::vector<SBlockFrame>& blocks) {
  blockStack.clear();
  // The stack spans the calls: its frames may belong to any script of the call stack.
  int32_t count = list ? list->GetCount() : 0;
  for (const SCallFrame& frame : callStack)
    if (frame.list) count = std::max(count, frame.list->GetCount());
  for (const SBlockFrame& frame : blocks)
    if (frame.line >= 0 && frame.line <= count) blockStack.push_back(frame);
}

void CScriptRunner::RestoreWaitState(uint32_t mask, bool forced) {
  soundWaitMask = mask;
  forcedWait = forced;
}

bool CScriptRunner::ResumeMap() {
  if (list || callStack.empty() || callStack.back().list) return false;
  SCallFrame frame = std::move(callStack.back());
  callStack.pop_back();
  scriptName = std::move(frame.name);
  host.SetMapMusic(frame.mapMusic);
  return true;
}

void CScriptRunner::RunScript(int32_t delta, int32_t x, int32_t y) {
  const int32_t mode = host.GetMode();
  if (mode >= 1 && mode <= 3 && host.IsSkipping()) host.OnConfirm();
  int32_t time = delta;
  for (int32_t budget = stepBudget; budget > 0; --budget) {
    if (time == 0 && host.GetMode() != kModeScript) return;
    time = Step(time, x, y);
    if (!list) return;
    if (host.GetMode() == kModeScript && (lineIndex >= list->GetCount() || lineIndex < 0)) {
      if (!ReturnFromScript()) {
        EndScenario();
        return;
      }
      continue;
    }
    if (fastForwardSerial == list->Serial() && lineIndex == fastForwardLine) fastForwardSerial = 0;
    if (host.GetMode() != kModeScript) continue;
    if (!RunLine()) return;
  }
}

// Runs one item of the current line, or the line's end; false when the frame must stop.
bool CScriptRunner::RunLine() {
  CScriptLine* line = list->GetLine(lineIndex);
  if (line->GetDepth() > 0) {
    RunBlockGroup();
    return true;
  }
  if (itemIndex == 0) line->Execute(*this, lineIndex);
  if (itemIndex < line->GetItemCount()) {
    // A half-width ';' starts a comment: the rest of the line does not run.
    if (line->GetItemText(itemIndex) != ";") {
      // The index moves first, so a command that jumps, calls or returns sets where to go on.
      ++itemIndex;
      line->RunItem(itemIndex - 1, *this);
      return true;
    }
  }
  FinishLine(*line);
  return AdvanceLine(*line);
}

// Runs a block line and the blocks of the same group that follow it, then waits or goes on after
// the group. A LOOP enters its body at once.
void CScriptRunner::RunBlockGroup() {
  // A block line has no items to resume; a position inside one (from an outside source) restarts it.
  itemIndex = 0;
  const int kind = list->GetLine(lineIndex)->GroupKind();
  do {
    list->GetLine(lineIndex)->Execute(*this, lineIndex);
    if (kind == CScriptLine::kGroupNone) {
      ++lineIndex;
      return;
    }
    lineIndex = LineAfterBlock(lineIndex);
  } while (lineIndex < list->GetCount() && list->GetLine(lineIndex)->GroupKind() == kind);
}

// The end of a line: an empty line waits for a click and a new page when the page holds text; a
// line that printed goes on with a line break.
void CScriptRunner::FinishLine(const CScriptLine& line) {
  if (itemIndex == 0) {
    if (host.PageHasText()) WaitClick(true, true);
  } else {
    host.AddText("\n", {}, 100, -1);
  }
  if (!host.PageHasText() && !line.GetLabel().empty()) readPosition = lineIndex;
  itemIndex = 0;
}

bool CScriptRunner::AdvanceLine(const CScriptLine& line) {
  if (line.GetDepth() >= 0) {
    ++lineIndex;
    return true;
  }
  if (!blockStack.empty()) {
    lineIndex = blockStack.back().line;
    blockStack.pop_back();
    if (!host.PageHasText()) readPosition = lineIndex;
    return true;
  }
  // A body closed with no block open returns to the caller; at the top the script just stops.
  return ReturnFromScript();
}

int32_t CScriptRunner::Step(int32_t time, int32_t x, int32_t y) {
  AdvanceSpeaking(time);
  StepMode(x, y, time);
  const int32_t leftover = StepTimer(time);
  host.AdvanceFades(time - leftover);
  return leftover;
}

// Every 8 ticks the speaking picture gets a new mouth: random while a voice plays or text appears.
void CScriptRunner::AdvanceSpeaking(int32_t time) {
  const uint32_t before = tickCounter;
  tickCounter += static_cast<uint32_t>(time);
  if ((before >> 3) == (tickCounter >> 3)) return;
  const bool speaking = host.IsVoicePlaying() || host.GetMode() == 1;
  host.SetSpeakingValue(speaking ? host.Random().Next() % 3 : 0);
}

void CScriptRunner::StepMode(int32_t x, int32_t y, int32_t time) {
  switch (host.GetMode()) {
    case 2:
    case 3:
      StepClickWait(time);
      break;
    case 4:
      TakeListEntry(false);
      break;
    case 5:
      StepClickRegions(x, y);
      break;
    case 6: {
      const int32_t body = host.GetChoiceTaken();
      if (body != -1) EnterBody(body);
      host.SetMode(kModeScript);
      break;
    }
    case 12:
      StepSoundWait();
      break;
    default:
      break;
  }
}

// Auto mode ends a click wait once the voice is silent and the auto wait has passed; a fast-forward
// ends it at once.
void CScriptRunner::StepClickWait(int32_t time) {
  if (host.IsAutoMode() && !host.IsSkipping() && !host.IsVoicePlaying()) {
    if (autoCounter > host.AutoWaitTicks()) {
      autoCounter = 0;
      host.OnConfirm();
    } else {
      autoCounter += time;
    }
  }
  const int32_t mode = host.GetMode();
  if (fastForwardSerial != 0 && (mode == 2 || mode == 3)) host.OnConfirm();
}

void CScriptRunner::StepClickRegions(int32_t x, int32_t y) {
  host.SetChoiceHover(-1);
  for (int32_t layer = 0; layer < 7; ++layer) {
    uint32_t color = 0;
    if (host.HitTestColorMap(layer, x, y, color)) OnColorMapHit(color, layer);
  }
  host.ShowSystemCursor(host.GetChoiceHover() == -1);
  TakeListEntry(true);
}

// A taken choice or region enters its body; the list is emptied by leaving the mode.
void CScriptRunner::TakeListEntry(bool regions) {
  const int32_t taken = host.GetChoiceTaken();
  if (taken == -1) return;
  const size_t count = regions ? host.ClickRegions().size() : host.Choices().size();
  if (taken >= 0 && static_cast<size_t>(taken) < count)
    EnterBody(regions ? host.ClickRegions()[taken].bodyLine : host.Choices()[taken].bodyLine);
  host.SetMode(kModeScript);
}

void CScriptRunner::StepSoundWait() {
  host.SetWaitElapsed(host.GetWaitLength());
  for (int32_t channel = 0; channel < 32; ++channel) {
    if (!(soundWaitMask & (1u << channel)) || host.IsChannelFadingOut(channel)) continue;
    if (host.IsSkipping()) host.StopSound(channel, 0);
    if (host.IsChannelPlaying(channel)) host.SetWaitElapsed(0);
  }
}

int32_t CScriptRunner::StepTimer(int32_t time) {
  const int32_t length = host.GetWaitLength();
  if (length == 0) return host.GetMode() == kModeScript ? time : 0;
  int32_t elapsed = host.GetWaitElapsed();
  const int32_t used = std::clamp(length - elapsed, 0, time);
  elapsed += used;
  if (host.IsSkipping() && !(forcedWait && host.GetMode() == 11)) {
    elapsed = length;
    host.CompleteLayerTransitions();
  }
  host.SetWaitElapsed(elapsed);
  const int32_t leftover = time - used;
  return elapsed >= length ? EndTimedMode(used, leftover) : leftover;
}

// The timer of the current mode has run out. A transition or effect that used time in this frame
// still shows its last step, so it ends in the next frame and keeps the rest of this one.
int32_t CScriptRunner::EndTimedMode(int32_t used, int32_t leftover) {
  const int32_t mode = host.GetMode();
  if (mode == 1) {
    if (!host.RevealNextPiece()) host.SetMode(kModeScript);
  } else if (mode == 11 || mode == 12) {
    host.SetMode(kModeScript);
  } else if (mode >= 7 && mode <= 10) {
    if (used > 0) return 0;
    host.SetMode(kModeScript);
  }
  return leftover;
}

void CScriptRunner::EnterBody(int32_t bodyLine) {
  blockStack.push_back({lineIndex, 0});
  lineIndex = readPosition = bodyLine;
  itemIndex = 0;
}

void CScriptRunner::EnterLoop(int32_t bodyLine) {
  host.SetMode(kModeScript);
  blockStack.push_back({bodyLine - 1, kLoopKind});
  lineIndex = readPosition = bodyLine - 1;
  itemIndex = 0;
}

void CScriptRunner::BreakLoop() {
  host.SetMode(kModeScript);
  while (!blockStack.empty()) {
    const SBlockFrame frame = blockStack.back();
    blockStack.pop_back();
    if (frame.kind == kLoopKind) {
      itemIndex = 0;
      readPosition = frame.line;
      lineIndex = LineAfterBlock(frame.line);
      return;
    }
  }
}

// Leaves the blocks between the current line and the target and enters the blocks around the
// target that are not open, as running there would have done.
void CScriptRunner::GotoLine(int32_t target) {
  const int32_t count = list ? list->GetCount() : 0;
  target = std::clamp(target, 0, count);
  int32_t sum = 0;
  int32_t lowest = 0;
  if (target >= lineIndex) {
    for (int32_t i = std::max(lineIndex, 0); i < target; ++i) lowest = std::min(lowest, sum += Depth(i));
  } else {
    for (int32_t i = std::min(lineIndex, count) - 1; i >= target; --i)
      lowest = std::min(lowest, sum -= Depth(i));
  }
  PopBlocks(-lowest);
  EnterEnclosingBlocks(target, sum - lowest);
  lineIndex = readPosition = target;
  itemIndex = 0;
}

void CScriptRunner::JumpToLabel(const std::string& label) {
  if (!list) return;
  for (int32_t i = 0; i < list->GetCount(); ++i) {
    if (list->GetLine(i)->GetLabel() == label) {
      GotoLine(i);
      return;
    }
  }
}

int32_t CScriptRunner::Evaluate(std::string_view text, int32_t emptyResult) {
  CExpressionEvaluator evaluator(host.Variables(), host.Clock(), host.Random());
  const int32_t value = evaluator.Evaluate(text, emptyResult);
  if (evaluator.ClockChanged()) host.MarkScreenDirty();
  return value;
}

void CScriptRunner::WaitClick(bool newPage, bool showIcon) {
  host.WaitClick(newPage, showIcon);
  TraceClickWait();
}

void CScriptRunner::TraceClickWait() const {
  const int32_t mode = host.GetMode();
  if (mode != 2 && mode != 3) return;
  CTrace::Event("click", {{"page", host.PageText()}, {"speaker", host.SpeakerName()}});
  if (pageListener) pageListener();
}

int32_t CScriptRunner::CurrentSourceLine() const {
  if (!list || lineIndex < 0 || lineIndex >= list->GetCount()) return 0;
  return list->GetLine(lineIndex)->GetSourceLine();
}

bool CScriptRunner::EffectsSuppressed() const {
  return (host.AreEffectsOff() && !host.IsDemoMode()) || host.IsSkipping();
}

int32_t CScriptRunner::CatchUp(int32_t ticks, int32_t shortest) {
  if (!host.IsDemoMode() || ticks <= 0) return ticks;
  const int32_t lost = host.GetLostTicks();
  const int32_t duration = std::max<int64_t>(shortest, static_cast<int64_t>(ticks) - lost);
  host.SetLostTicks(static_cast<int32_t>(static_cast<int64_t>(lost) + duration - ticks));
  return duration;
}

// A timed mode that lasts no tick would never end (the timer only ends modes that had a length),
// so a zero or negative time does not wait.
void CScriptRunner::StartTimedWait(int32_t mode, int32_t ticks) {
  forcedWait = false;
  if (ticks <= 0) return;
  host.SetWaitLength(ticks);
  host.SetMode(mode);
}

void CScriptRunner::StartForcedWait(int32_t ticks) {
  StartTimedWait(11, ticks);
  forcedWait = true;
}

void CScriptRunner::WaitForSounds(uint32_t channelMask) {
  soundWaitMask = channelMask;
  host.SetMode(12);
}

void CScriptRunner::OnColorMapHit(uint32_t color, int32_t layer) {
  const std::vector<SClickRegion>& regions = host.ClickRegions();
  for (size_t i = 0; i < regions.size(); ++i) {
    if (regions[i].place != layer) continue;
    const uint32_t want = static_cast<uint32_t>(regions[i].color);
    int32_t distance = 0;
    for (int shift = 0; shift < 24; shift += 8)
      distance += std::abs(static_cast<int32_t>((want >> shift) & 0xFF) -
                           static_cast<int32_t>((color >> shift) & 0xFF));
    if (distance < 16) host.SetChoiceHover(static_cast<int32_t>(i));
  }
}

void CScriptRunner::UnwindBlocks() {
  int32_t sum = 0;
  int32_t lowest = 0;
  const int32_t from = list ? std::min(lineIndex, list->GetCount()) : 0;
  for (int32_t i = from - 1; i >= 0; --i) lowest = std::min(lowest, sum -= Depth(i));
  PopBlocks(-lowest);
}

void CScriptRunner::PopBlocks(int32_t count) {
  for (; count > 0 && !blockStack.empty(); --count) blockStack.pop_back();
}

// Pushes, outermost first, the frames of the innermost count blocks that enclose target.
void CScriptRunner::EnterEnclosingBlocks(int32_t target, int32_t count) {
  if (count <= 0) return;
  std::vector<int32_t> openers;
  for (int32_t i = 0; i < target; ++i) {
    const int32_t depth = Depth(i);
    if (depth > 0)
      openers.push_back(i);
    else if (depth < 0 && !openers.empty())
      openers.pop_back();
  }
  const size_t first = openers.size() - std::min<size_t>(openers.size(), count);
  for (size_t i = first; i < openers.size(); ++i) {
    const int32_t opener = openers[i];
    if (list->GetLine(opener)->GroupKind() == CScriptLine::kGroupNone)
      EnterLoop(opener + 1);
    else
      blockStack.push_back({LineAfterGroup(opener), 0});
  }
}

int32_t CScriptRunner::Depth(int32_t line) const { return list->GetLine(line)->GetDepth(); }

int32_t CScriptRunner::LineAfterBlock(int32_t opener) const {
  int32_t sum = 1;
  int32_t i = opener + 1;
  for (; sum > 0 && i < list->GetCount(); ++i) sum += Depth(i);
  return i;
}

int32_t CScriptRunner::LineAfterGroup(int32_t opener) const {
  const int kind = list->GetLine(opener)->GroupKind();
  int32_t i = LineAfterBlock(opener);
  while (i < list->GetCount() && Depth(i) > 0 && list->GetLine(i)->GroupKind() == kind) i = LineAfterBlock(i);
  return i;
}

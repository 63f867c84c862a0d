#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "script/ScriptCommandList.h"

class CReadFile;
class IScriptHost;

// The script interpreter: the running command list, its position, the block and call stacks, and
// the per-frame loop that runs lines item by item until the engine enters a waiting mode. It
// reaches the engine only through IScriptHost.
class CScriptRunner {
 public:
  // Opens a data path for reading; null when the file does not exist.
  using FileOpener = std::function<std::unique_ptr<CReadFile>(const std::string& name)>;

  // A block being run: kind 0 continues at line after the body, kind 1 returns to the LOOP line.
  struct SBlockFrame {
    int32_t line = 0;
    int32_t kind = 0;
    bool operator==(const SBlockFrame&) const = default;
  };
  // A suspended caller. A frame without a list is a map frame: the map screen is resumed.
  struct SCallFrame {
    std::unique_ptr<CScriptCommandList> list;
    int32_t itemIndex = 0;
    int32_t lineIndex = 0;
    std::string name;
    std::string mapMusic;
  };

  static constexpr int32_t kLoopKind = 1;
  // Lines and items run in one frame at the most by default, so a script that loops without ever
  // waiting cannot freeze the engine: it goes on in the next frame.
  static constexpr int32_t kDefaultStepBudget = 100000;

  explicit CScriptRunner(IScriptHost& host);
  ~CScriptRunner();
  CScriptRunner(const CScriptRunner&) = delete;
  CScriptRunner& operator=(const CScriptRunner&) = delete;

  IScriptHost& Host() { return host; }
  // Replaces the archive layer as the source of script files (tests, tools).
  void SetFileOpener(FileOpener opener);
  void SetStepBudget(int32_t steps) { stepBudget = steps > 0 ? steps : 1; }

  // Scripts and calls. Names are taken by value: the command that names them may belong to the
  // list these operations delete.
  bool OpenScript(std::string name, int32_t fastForwardLine, bool call);
  void PushCall();
  bool ReturnFromScript();
  void EndScenario();
  void EnterMap(std::string name, int32_t number, std::string music);
  // EXIT TYPE=MAP: returns past the map to the script whose MAP command opened it.
  void ExitMap();
  // EXIT TYPE=SCRIPT: returns to the caller, or ends the scenario at the top.
  void ExitScript();
  // Drops every script, frame and position without ending the scenario (the engine's reset).
  void Reset();
  // True while there is something to run: a loaded list or a suspended caller.
  bool IsActive() const { return list != nullptr || !callStack.empty(); }

  // One frame of the interpreter, and the mode timers it advances.
  void RunScript(int32_t delta, int32_t x, int32_t y);
  int32_t Step(int32_t time, int32_t x, int32_t y);

  // Blocks and jumps.
  void EnterBody(int32_t bodyLine);
  void EnterLoop(int32_t bodyLine);
  void BreakLoop();
  void GotoLine(int32_t target);
  void JumpToLabel(const std::string& label);

  // Services of the commands.
  int32_t Evaluate(std::string_view text, int32_t emptyResult);
  // Starts a click wait and reports it to the trace with the page and speaker.
  void WaitClick(bool newPage, bool showIcon);
  // Reports a click wait that has begun (engine mode 2 or 3) to the trace; a load that resumes one
  // reports it too.
  void TraceClickWait() const;
  // Called after the trace whenever a click wait begins, so readers outside the engine follow the
  // pages as the player sees them.
  void SetPageListener(std::function<void()> listener) { pageListener = std::move(listener); }
  // The script file line of the position being run (1 for the first line), 0 without a script.
  int32_t CurrentSourceLine() const;
  // Effects are switched off by the player (outside demo mode) or the engine is skipping.
  bool EffectsSuppressed() const;
  // In demo mode a wait gives back ticks lost to long operations, down to shortest.
  int32_t CatchUp(int32_t ticks, int32_t shortest);
  // Enters a timed mode (7 to 11) for ticks; no wait at all for 0 or fewer ticks.
  void StartTimedWait(int32_t mode, int32_t ticks);
  // A timed wait (mode 11) that skipping does not cut short.
  void StartForcedWait(int32_t ticks);
  // Waits (mode 12) while any sound channel of the mask (bit n = channel n) plays.
  void WaitForSounds(uint32_t channelMask);
  // A click-map pixel under the cursor on a layer: hovers every region of that layer with a
  // colour close to it.
  void OnColorMapHit(uint32_t color, int32_t layer);

  // State, as a save captures it.
  const CScriptCommandList* GetList() const { return list.get(); }
  const std::string& GetScriptName() const { return scriptName; }
  int32_t GetLineIndex() const { return lineIndex; }
  int32_t GetItemIndex() const { return itemIndex; }
  int32_t GetReadPosition() const { return readPosition; }
  const std::vector<SBlockFrame>& GetBlockStack() const { return blockStack; }
  const std::vector<SCallFrame>& GetCallStack() const { return callStack; }
  uint32_t GetSoundWaitMask() const { return soundWaitMask; }
  bool IsFastForwarding() const { return fastForwardSerial != 0; }
  bool IsForcedWait() const { return forcedWait; }

  // Restoring a saved game onto a reset runner. Call frames come bottom first; a map frame has no
  // list. Positions outside the reopened script are clamped to it. False when the script file
  // cannot be opened (the frame is then left out).
  bool RestoreCallFrame(std::string name, int32_t line, int32_t item, std::string mapMusic, bool map);
  bool RestoreRunning(std::string name, int32_t line, int32_t item, int32_t readPos);
  // Block frames naming lines beyond every script of the stack are dropped.
  void RestoreBlocks(const std::vector<SBlockFrame>& blocks);
  void RestoreWaitState(uint32_t mask, bool forced);
  // A game saved on the map: the map frame on top of the stack becomes the map shown again (its
  // name and music), without the time step of a return. False when nothing runs on a map frame.
  bool ResumeMap();

 private:
  std::unique_ptr<CScriptCommandList> LoadList(const std::string& name);
  static void ClampPosition(const CScriptCommandList& list, int32_t& line, int32_t& item);
  bool RunLine();
  void RunBlockGroup();
  void FinishLine(const CScriptLine& line);
  bool AdvanceLine(const CScriptLine& line);
  void AdvanceSpeaking(int32_t time);
  void StepMode(int32_t x, int32_t y, int32_t time);
  void StepClickWait(int32_t time);
  void StepClickRegions(int32_t x, int32_t y);
  void StepSoundWait();
  void TakeListEntry(bool regions);
  int32_t StepTimer(int32_t time);
  int32_t EndTimedMode(int32_t used, int32_t leftover);
  void UnwindBlocks();
  void PopBlocks(int32_t count);
  void EnterEnclosingBlocks(int32_t target, int32_t count);
  int32_t Depth(int32_t line) const;
  int32_t LineAfterBlock(int32_t opener) const;
  int32_t LineAfterGroup(int32_t opener) const;

  IScriptHost& host;
  FileOpener openFile;
  std::unique_ptr<CScriptCommandList> list;
  std::string scriptName;
  int32_t lineIndex = 0;
  int32_t itemIndex = 0;
  int32_t readPosition = 0;
  uint64_t fastForwardSerial = 0;  // serial of the list holding the target; 0 for none
  int32_t fastForwardLine = 0;
  std::vector<SBlockFrame> blockStack;
  std::vector<SCallFrame> callStack;
  uint32_t soundWaitMask = 0;
  uint32_t tickCounter = 0;
  int32_t autoCounter = 0;
  int32_t stepBudget = kDefaultStepBudget;
  bool forcedWait = false;
  std::function<void()> pageListener;
};

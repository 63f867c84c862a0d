#pragma once
#include <deque>
#include <set>
#include <string>

#include "platform/Events.h"
#include "platform/Input.h"
#include "platform/headless/InputScript.h"

class CHeadlessDialogs;

// Scripted input: turns the input script's commands into window events, one frame at a time, and
// keeps the cursor and key state they imply.
class CHeadlessInput : public IInput, public IEventSource {
 public:
  CHeadlessInput(CInputScript script, CHeadlessDialogs& dialogs);

  // Queues the events of a frame: held keys repeat first, then the frame's commands in file order.
  void BeginFrame(int64_t frame);

  bool PollEvent(SPlatformEvent& event) override;
  void WaitEvent(int) override {}

  SPoint GetCursorPos() override { return cursor; }
  void SetCursorPos(int x, int y) override { cursor = {x, y}; }
  void ShowSystemCursor(bool) override {}
  void SetCapture(bool) override {}
  bool IsKeyDown(uint32_t virtualKey) override { return held.count(virtualKey) != 0; }
  bool HasFocus() override { return true; }
  // A text field opened: the oldest text the script typed and no field took yet goes into it and
  // is confirmed with Return.
  void StartTextInput(const SRect& field) override;
  void StopTextInput() override { textInput = false; }
  bool IsScriptExhausted() const { return script.IsExhausted(); }

 private:
  void Translate(const SInputCommand& command);
  void PushMouse(EEventType type, int32_t x, int32_t y);
  void PushKey(EEventType type, uint32_t key, uint32_t flags);
  void TypeInto();
  uint32_t MouseFlags() const;

  CInputScript script;
  CHeadlessDialogs& dialogs;
  std::deque<SPlatformEvent> queue;
  std::set<uint32_t> held;
  SPoint cursor{0, 0};
  bool leftDown = false;
  bool textInput = false;
  std::deque<std::string> typed;  // UTF-8, waiting for the next text field
};

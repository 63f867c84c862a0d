#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "script/ScriptHost.h"

class CGameClock;

// What the message text and the message window need of the engine object. Strings are Shift JIS.
class IMessageHost {
 public:
  virtual ~IMessageHost() = default;

  // The engine mode (0 script runs, 1 text reveal, 2 and 3 click waits, 4 choice, 5 click regions,
  // 11 timed wait, ...) and its switch; the wait length is set after entering a timed mode.
  virtual int32_t GetMode() const = 0;
  virtual void SetMode(int32_t mode) = 0;
  virtual void SetWaitLength(int32_t ticks) = 0;
  // Ticks discarded by long operations, which demo mode catches up on.
  virtual int32_t GetLostTicks() const = 0;
  virtual void SetLostTicks(int32_t ticks) = 0;

  // States that decide skipping.
  virtual bool IsOpeningRunning() const = 0;  // the opening script runs
  virtual bool IsDemoMode() const = 0;        // DEMO command
  virtual bool HasScreenMode() const = 0;     // a full-screen mode (title, map, ...) is open
  virtual bool IsForcedSkip() const = 0;      // the script runner fast-forwards to a target line
  virtual bool IsSkipMode() const = 0;        // the player's skip toggle
  virtual bool IsAutoMode() const = 0;        // the player's auto toggle
  virtual bool IsControlKeyHeld() const = 0;  // Ctrl is down and no dialog is open

  // The running script: its file name and the number of the command being run.
  virtual std::string CurrentScriptName() const = 0;
  virtual int32_t CurrentCommandNumber() const = 0;

  // What the window draws around the text.
  virtual int32_t GetMenuState() const = 0;  // 0 no menu, 7 the backlog, ...
  virtual bool IsDialogOpen() const = 0;     // a modal dialog or message box is shown
  virtual bool IsReplay() const = 0;         // a flashback replay runs
  virtual const std::vector<SChoice>& Choices() const = 0;
  virtual const std::vector<SClickRegion>& ClickRegions() const = 0;
  virtual int32_t GetChoiceHover() const = 0;  // the choice or region under the mouse, -1 for none
  virtual const CGameClock& GameClock() const = 0;
};

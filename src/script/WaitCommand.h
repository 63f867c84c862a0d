#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// WAIT TIME=n: a timed wait of n ticks (mode 11), skipped while skipping or with effects off.
class CWaitCommand : public CScriptCommand {
 public:
  explicit CWaitCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;
  int32_t GetTime() const { return time; }

 private:
  int32_t time;
};

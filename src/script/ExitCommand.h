#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// EXIT TYPE=GAME|MAP|SCRIPT: ends the scenario, leaves the map, or returns from the script.
class CExitCommand : public CScriptCommand {
 public:
  explicit CExitCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;

 private:
  int32_t type;
};

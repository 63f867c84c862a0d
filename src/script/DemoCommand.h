#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// DEMO DEMO=TRUE|FALSE: demo mode shortens timed waits to catch up lost time and ignores effects-off.
class CDemoCommand : public CScriptCommand {
 public:
  explicit CDemoCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;

 private:
  bool demo;
};

#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// SYSTEM COMMAND="[Word] args": hands an engine control string to the engine.
class CSystemCommand : public CScriptCommand {
 public:
  explicit CSystemCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;

 private:
  std::string command;
};

#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// BREAK: leaves the innermost loop.
class CBreakCommand : public CScriptCommand {
 public:
  explicit CBreakCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;

 private:
};

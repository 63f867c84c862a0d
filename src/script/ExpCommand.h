#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// EXP EXP="expression" OUTPUT=ON: evaluates an expression and may print its value.
class CExpCommand : public CScriptCommand {
 public:
  explicit CExpCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;

 private:
  std::string expression;
  bool output;
};

#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// JUMP LABEL=name: continues at the first LABEL line of that name in the running script.
class CJumpCommand : public CScriptCommand {
 public:
  explicit CJumpCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;
  const std::string& GetLabel() const { return label; }

 private:
  std::string label;
};

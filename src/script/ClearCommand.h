#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// CLEAR: the page goes to the backlog and a new, empty page begins.
class CClearCommand : public CScriptCommand {
 public:
  explicit CClearCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;

 private:
};

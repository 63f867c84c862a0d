#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// KEYWAIT CURSOR=ON|OFF: waits for a click without starting a new page (mode 2).
class CKeyWaitCommand : public CScriptCommand {
 public:
  explicit CKeyWaitCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;

 private:
  bool cursor;
};

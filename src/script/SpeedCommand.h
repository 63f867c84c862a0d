#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// SPEED TIME=n: the base interval of the text reveal.
class CSpeedCommand : public CScriptCommand {
 public:
  explicit CSpeedCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;

 private:
  int32_t time;
};

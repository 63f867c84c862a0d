#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptHost.h"
#include "script/ScriptParams.h"

// SCREEN EFFECT=name DIR=IN|OUT TIME=n COLOR=RRGGBB PLACE=layer LEVEL=LOW|NORMAL|HIGH: brings a
// full-screen effect in (mode 7) or takes it out (mode 8) over TIME ticks.
class CScreenCommand : public CScriptCommand {
 public:
  explicit CScreenCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;
  const SScreenEffectRequest& GetRequest() const { return request; }

 private:
  SScreenEffectRequest request;
  int32_t time;
};

#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptHost.h"
#include "script/ScriptParams.h"

// WINDOW VISIBLE=TRUE|FALSE NAME=speaker IMAGE=face SPEAK=layer SPEAK_ID=n TYPE=n: the message
// window's style, visibility (a fade in mode 9 when it changes), speaker name and face image.
class CWindowCommand : public CScriptCommand {
 public:
  explicit CWindowCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;

 private:
  SWindowRequest request;
};

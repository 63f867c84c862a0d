#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// DATE_WINDOW VISIBLE=TRUE|FALSE: shows or hides the date plate.
class CDateWindowCommand : public CScriptCommand {
 public:
  explicit CDateWindowCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;

 private:
  bool visible;
};

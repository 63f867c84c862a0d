#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// SAVETITLE TITLE=text: the title shown for the game state in the save slots.
class CSaveTitleCommand : public CScriptCommand {
 public:
  explicit CSaveTitleCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;

 private:
  std::string title;
};

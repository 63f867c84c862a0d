#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// DATE YEAR=n MONTH=n DAY=n HOUR=n MINUTE=n SCREEN=TRUE BG=file: sets the game clock as written
// and may show the date screen (mode 14).
class CDateCommand : public CScriptCommand {
 public:
  explicit CDateCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;

 private:
  int32_t year, month, day, hour, minute;
  bool screen;
  std::string background;
};

#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// KEYWORD KEYWORD=key: prints the substitution text of a keyword (such as the hero's name).
class CKeywordCommand : public CScriptCommand {
 public:
  explicit CKeywordCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;

 private:
  std::string keyword;
};

#pragma once
#include "script/ScriptCommand.h"

// One message character: a single byte or a Shift JIS lead byte with its trail byte.
class CScriptCharacter : public CScriptCommand {
 public:
  explicit CScriptCharacter(std::string bytes) : text(std::move(bytes)) {}
  int IsCharacter() const override { return 1; }
  std::string GetText() const override { return text; }
  void Execute(CScriptRunner& runner) override;

 private:
  std::string text;
};

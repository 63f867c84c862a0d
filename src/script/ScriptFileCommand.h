#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// SCRIPT SRC=file LABEL=name GOTO=ON: calls another script (or switches to it with GOTO) and may
// start at a label.
class CScriptFileCommand : public CScriptCommand {
 public:
  explicit CScriptFileCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;
  const std::string& GetSource() const { return src; }
  const std::string& GetLabel() const { return label; }

 private:
  std::string src;
  std::string label;
  bool jump;
};

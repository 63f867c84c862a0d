#pragma once
#include "script/ScriptLine.h"
#include "script/ScriptParams.h"

// <LABEL LABEL=...>: a jump target; it opens no block.
class CLabelLine : public CScriptLine {
 public:
  explicit CLabelLine(const CScriptParams& params) : CScriptLine(0), label(params.Text("LABEL")) {}
  std::string GetLabel() const override { return label; }

 private:
  std::string label;
};

#pragma once
#include "script/ScriptLine.h"
#include "script/ScriptParams.h"

// <SELECT TEXT=... COND=...>: one entry of a choice; its body follows up to the matching END.
class CSelectLine : public CScriptLine {
 public:
  explicit CSelectLine(const CScriptParams& params);
  int GroupKind() const override { return kGroupChoice; }
  // Adds the entry to the choice list when COND holds (an empty COND holds) and waits in mode 4.
  void Execute(CScriptRunner& runner, int32_t index) override;
  const std::string& GetChoiceText() const { return text; }
  const std::string& GetCondition() const { return condition; }

 private:
  std::string text;
  std::string condition;
};

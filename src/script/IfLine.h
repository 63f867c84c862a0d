#pragma once
#include "script/ScriptLine.h"
#include "script/ScriptParams.h"

// <IF COND=...>: one branch of a condition chain; the first branch whose COND holds is entered.
class CIfLine : public CScriptLine {
 public:
  explicit CIfLine(const CScriptParams& params);
  int GroupKind() const override { return kGroupCondition; }
  // Enters mode 6 and records this body when no earlier branch of the chain was chosen.
  void Execute(CScriptRunner& runner, int32_t index) override;
  const std::string& GetCondition() const { return condition; }

 private:
  std::string condition;
};

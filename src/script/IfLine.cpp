#include "script/IfLine.h"

#include "script/ScriptHost.h"
#include "script/ScriptRunner.h"

CIfLine::CIfLine(const CScriptParams& params) : CScriptLine(1), condition(params.Text("COND")) {}

void CIfLine::Execute(CScriptRunner& runner, int32_t index) {
  IScriptHost& host = runner.Host();
  if (host.GetMode() != 6) host.SetChoiceTaken(-1);
  host.SetMode(6);
  // Every condition of the chain is evaluated, so assignments in later ones still happen.
  const bool holds = runner.Evaluate(condition, 1) != 0;
  if (host.GetChoiceTaken() == -1 && holds) host.SetChoiceTaken(index + 1);
}

#include "script/SelectLine.h"

#include "script/ScriptHost.h"
#include "script/ScriptRunner.h"

CSelectLine::CSelectLine(const CScriptParams& params)
    : CScriptLine(1), text(params.Text("TEXT")), condition(params.Text("COND")) {}

void CSelectLine::Execute(CScriptRunner& runner, int32_t index) {
  if (!runner.Evaluate(condition, 1)) return;
  IScriptHost& host = runner.Host();
  host.Choices().push_back({text, index + 1});
  host.SetMode(4);
  host.SetChoiceHover(0);
  host.SetChoiceTaken(-1);
}

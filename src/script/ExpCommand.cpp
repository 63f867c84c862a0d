#include "script/ExpCommand.h"

#include "script/ScriptHost.h"
#include "script/ScriptRunner.h"

CExpCommand::CExpCommand(const CScriptParams& params)
    : expression(params.Text("EXP")), output(params.FlagOn("OUTPUT", false)) {}

void CExpCommand::Execute(CScriptRunner& runner) {
  const int32_t value = runner.Evaluate(expression, 0);
  if (output) runner.Host().AddText(std::to_string(value), {}, GetSizePercent(), GetColor());
}

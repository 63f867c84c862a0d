#include "script/SystemCommand.h"

#include "script/ScriptHost.h"
#include "script/ScriptRunner.h"

CSystemCommand::CSystemCommand(const CScriptParams& params) : command(params.Text("COMMAND")) {
  SetDescription(command);
}

void CSystemCommand::Execute(CScriptRunner& runner) { runner.Host().RunSystemCommand(command); }

#include "script/KeyWaitCommand.h"

#include "script/ScriptRunner.h"

CKeyWaitCommand::CKeyWaitCommand(const CScriptParams& params) : cursor(params.FlagOn("CURSOR", true)) {
  SetDescription("入力待ち");
}

void CKeyWaitCommand::Execute(CScriptRunner& runner) { runner.WaitClick(false, cursor); }

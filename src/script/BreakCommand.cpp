#include "script/BreakCommand.h"

#include "script/ScriptRunner.h"

CBreakCommand::CBreakCommand(const CScriptParams&) { SetDescription("ループの中断"); }

void CBreakCommand::Execute(CScriptRunner& runner) { runner.BreakLoop(); }

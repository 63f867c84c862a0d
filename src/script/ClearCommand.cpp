#include "script/ClearCommand.h"

#include "script/ScriptHost.h"
#include "script/ScriptRunner.h"

CClearCommand::CClearCommand(const CScriptParams&) { SetDescription("テキスト消去"); }

void CClearCommand::Execute(CScriptRunner& runner) { runner.Host().NewPage(true); }

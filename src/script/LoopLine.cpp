#include "script/LoopLine.h"

#include "script/ScriptRunner.h"

void CLoopLine::Execute(CScriptRunner& runner, int32_t index) { runner.EnterLoop(index + 1); }

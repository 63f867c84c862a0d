#include "script/WaitCommand.h"

#include "script/ScriptRunner.h"

CWaitCommand::CWaitCommand(const CScriptParams& params) : time(params.Int("TIME", 0)) {
  SetDescription("停止", CScriptParams::Format("%d フレーム", time));
}

void CWaitCommand::Execute(CScriptRunner& runner) {
  if (runner.EffectsSuppressed()) return;
  runner.StartTimedWait(11, runner.CatchUp(time, static_cast<int32_t>((static_cast<int64_t>(time) + 1) / 2)));
}

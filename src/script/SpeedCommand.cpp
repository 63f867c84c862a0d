#include "script/SpeedCommand.h"

#include "script/ScriptHost.h"
#include "script/ScriptRunner.h"

CSpeedCommand::CSpeedCommand(const CScriptParams& params) : time(params.Int("TIME", 0)) {
  SetDescription("速度変更", CScriptParams::Format("速度：%d", time));
}

void CSpeedCommand::Execute(CScriptRunner& runner) { runner.Host().SetRevealInterval(time); }

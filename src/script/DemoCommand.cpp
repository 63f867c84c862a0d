#include "script/DemoCommand.h"

#include "script/ScriptHost.h"
#include "script/ScriptRunner.h"

CDemoCommand::CDemoCommand(const CScriptParams& params) : demo(params.FlagTrue("DEMO", true)) {
  SetDescription(demo ? "デモ開始" : "デモ終了");
}

void CDemoCommand::Execute(CScriptRunner& runner) {
  IScriptHost& host = runner.Host();
  host.SetDemoMode(demo);
  host.SetLostTicks(0);
}

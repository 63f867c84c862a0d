#include "script/DateWindowCommand.h"

#include "script/ScriptHost.h"
#include "script/ScriptRunner.h"

CDateWindowCommand::CDateWindowCommand(const CScriptParams& params)
    : visible(params.FlagTrue("VISIBLE", true)) {
  SetDescription(visible ? "日付ウィンドウ 表示" : "日付ウィンドウ 非表示");
}

void CDateWindowCommand::Execute(CScriptRunner& runner) { runner.Host().SetDatePlateVisible(visible); }

#include "script/SaveTitleCommand.h"

#include "script/ScriptHost.h"
#include "script/ScriptRunner.h"

CSaveTitleCommand::CSaveTitleCommand(const CScriptParams& params) : title(params.Text("TITLE")) {
  SetDescription("セーブタイトル");
}

void CSaveTitleCommand::Execute(CScriptRunner& runner) { runner.Host().SetSaveTitle(title); }

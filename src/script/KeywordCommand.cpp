#include "script/KeywordCommand.h"

#include "script/ScriptHost.h"
#include "script/ScriptRunner.h"
#include "script/VariableStore.h"

CKeywordCommand::CKeywordCommand(const CScriptParams& params) : keyword(params.Text("KEYWORD")) {}

void CKeywordCommand::Execute(CScriptRunner& runner) {
  IScriptHost& host = runner.Host();
  host.AddText(host.Variables().Substitute(keyword), {}, GetSizePercent(), GetColor());
}

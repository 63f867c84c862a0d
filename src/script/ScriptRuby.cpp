#include "script/ScriptRuby.h"

#include "script/ScriptHost.h"
#include "script/ScriptRunner.h"

void CScriptRuby::Execute(CScriptRunner& runner) {
  runner.Host().AddText(text, ruby, GetSizePercent(), GetColor());
}

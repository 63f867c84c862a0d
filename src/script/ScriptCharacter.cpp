#include "script/ScriptCharacter.h"

#include "script/ScriptHost.h"
#include "script/ScriptRunner.h"

void CScriptCharacter::Execute(CScriptRunner& runner) {
  runner.Host().AddText(GetText(), {}, GetSizePercent(), GetColor());
}

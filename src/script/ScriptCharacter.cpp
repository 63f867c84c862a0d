#include "script/ScriptCharacter.h"

#include "script/ScriptHost.h"
#include "script/ScriptRunner.h"

void CScriptCharacter::Execute(CScriptRunner& runner) {
  Print(runner, GetText(), GetSizePercent(), GetColor());
}

void CScriptCharacter::Print(CScriptRunner& runner, const std::string& text, int32_t sizePercent,
                             int32_t color) {
  runner.Host().AddText(text, {}, sizePercent, color);
}

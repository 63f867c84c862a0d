#include "script/ColorMapCommand.h"

#include "script/ScriptHost.h"
#include "script/ScriptNames.h"
#include "script/ScriptRunner.h"

CColorMapCommand::CColorMapCommand(const CScriptParams& params)
    : effect(params.Name("EFFECT", scriptnames::kColorMaps, 0)) {
  SetDescription("色変換");
}

void CColorMapCommand::Execute(CScriptRunner& runner) { runner.Host().SetColorMap(effect); }

#include "script/MapCommand.h"

#include "script/ScriptRunner.h"

CMapCommand::CMapCommand(const CScriptParams& params)
    : src(params.Path("SRC")), map(params.Int("MAP", 0)), bgm(params.Path("BGM")) {
  SetDescription(CScriptParams::Format("マップ画面 %d", map));
}

void CMapCommand::Execute(CScriptRunner& runner) { runner.EnterMap(src, map, bgm); }

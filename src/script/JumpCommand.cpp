#include "script/JumpCommand.h"

#include "script/ScriptRunner.h"

CJumpCommand::CJumpCommand(const CScriptParams& params) : label(params.Text("LABEL")) {
  SetDescription("ジャンプ");
}

void CJumpCommand::Execute(CScriptRunner& runner) { runner.JumpToLabel(label); }

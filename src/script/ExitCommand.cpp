#include "script/ExitCommand.h"

#include "script/ScriptNames.h"
#include "script/ScriptRunner.h"

CExitCommand::CExitCommand(const CScriptParams& params)
    : type(params.Name("TYPE", scriptnames::kExitKinds, 0)) {
  SetDescription(scriptnames::kExitKinds[type].display);
}

void CExitCommand::Execute(CScriptRunner& runner) {
  switch (type) {
    case 0:
      runner.EndScenario();
      break;
    case 1:
      runner.ExitMap();
      break;
    default:
      runner.ExitScript();
      break;
  }
}

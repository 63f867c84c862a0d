#include "script/ClickLine.h"

#include "script/ScriptHost.h"
#include "script/ScriptNames.h"
#include "script/ScriptRunner.h"

CClickLine::CClickLine(const CScriptParams& params)
    : CScriptLine(1),
      place(params.Name("PLACE", scriptnames::kLayers, 0)),
      verb(params.Name("COMMAND", scriptnames::kVerbs, 0)),
      color(params.Color("COLOR", 0)) {}

void CClickLine::Execute(CScriptRunner& runner, int32_t index) {
  IScriptHost& host = runner.Host();
  host.ClickRegions().push_back({place, verb, color, index + 1});
  host.SetMode(5);
  host.SetChoiceHover(-1);
  host.SetChoiceTaken(-1);
}

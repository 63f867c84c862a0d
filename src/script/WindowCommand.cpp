#include "script/WindowCommand.h"

#include "script/ScriptNames.h"
#include "script/ScriptRunner.h"
#include "script/VariableStore.h"

CWindowCommand::CWindowCommand(const CScriptParams& params) {
  request.visible = params.FlagTrue("VISIBLE", true);
  request.name = params.Text("NAME");
  request.image = params.Path("IMAGE");
  request.speakLayer = params.Name("SPEAK", scriptnames::kLayers, -1);
  request.speakId = params.Int("SPEAK_ID", 0);
  request.type = params.Int("TYPE", 0);
  // A window style other than the first is a special window.
  const char* state = !request.visible ? "非表示" : request.type != 0 ? "特殊" : "表示";
  std::string detail;
  if (!request.image.empty() || request.speakLayer >= 0)
    detail = CScriptParams::Format("%s (%s)", CScriptParams::FileTitle(request.image).c_str(),
                                   scriptnames::LayerDisplay(request.speakLayer));
  SetDescription(CScriptParams::Format("%sウィンドウ %s", request.name.c_str(), state), detail);
}

void CWindowCommand::Execute(CScriptRunner& runner) {
  IScriptHost& host = runner.Host();
  SWindowRequest shown = request;
  shown.name = host.Variables().Substitute(request.name);
  const bool fade = request.visible != host.IsWindowVisible() && !host.IsSkipping();
  host.SetMessageWindow(shown);
  // The speaker name, face and window style are drawn outside the text area, so all is redrawn.
  host.MarkScreenDirty();
  if (fade) host.SetMode(9);
}

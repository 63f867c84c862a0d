#include "script/ScrollCommand.h"

#include "script/ScriptHost.h"
#include "script/ScriptNames.h"
#include "script/ScriptRunner.h"

CScrollCommand::CScrollCommand(const CScriptParams& params)
    : place(params.Name("PLACE", scriptnames::kLayers, 0)),
      offsetX(params.Int("OFFSETX", 0)),
      offsetY(params.Int("OFFSETY", 0)),
      time(params.Int("TIME", 0)),
      loop(params.FlagOn("LOOP", false)) {
  const char* layer = scriptnames::LayerDisplay(place);
  std::string detail =
      time != 0 ? CScriptParams::Format("%s, 移動量：(%d, %d), 時間：%d", layer, offsetX, offsetY, time)
                : CScriptParams::Format("%s, 移動量：(%d, %d)", layer, offsetX, offsetY);
  if (loop) detail += " ループ";
  SetDescription("スクロール", detail);
}

void CScrollCommand::Execute(CScriptRunner& runner) {
  const int32_t ticks = runner.EffectsSuppressed() && !loop ? 0 : time;
  runner.Host().ScrollLayer(place, offsetX, offsetY, ticks, loop);
}

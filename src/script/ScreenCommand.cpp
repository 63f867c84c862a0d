#include "script/ScreenCommand.h"

#include "script/ScriptNames.h"
#include "script/ScriptRunner.h"

namespace {

constexpr int32_t kSnow = 32;
constexpr int32_t kSakura = 33;

// Scripts write RRGGBB; the effect keeps the colour with red and blue exchanged, opaque.
int32_t SwapRedBlue(int32_t color) {
  const uint32_t c = static_cast<uint32_t>(color);
  return static_cast<int32_t>(0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu));
}

}  // namespace

CScreenCommand::CScreenCommand(const CScriptParams& params) : time(params.Int("TIME", 30)) {
  request.effect = params.Name("EFFECT", scriptnames::kScreenEffects, 0);
  request.direction = params.Name("DIR", scriptnames::kDirections, 0);
  request.color = SwapRedBlue(params.Color("COLOR", 0));
  request.place = params.Name("PLACE", scriptnames::kLayers, -1);
  request.level = params.Name("LEVEL", scriptnames::kEffectLevels, 1);
  const std::string effect = params.Text("EFFECT");
  if (effect == "SNOW_LOW" || effect == "SAKURA_LOW") {
    request.effect = effect == "SNOW_LOW" ? kSnow : kSakura;
    request.level = 0;
  }
  std::string detail = scriptnames::kScreenEffects[request.effect].display;
  if (request.effect != 0) detail += scriptnames::kDirections[request.direction].display;
  SetDescription("画面効果", detail);
}

void CScreenCommand::Execute(CScriptRunner& runner) {
  IScriptHost& host = runner.Host();
  if (runner.EffectsSuppressed() || time <= 0) {
    if (request.direction == 1) {
      host.StopScreenEffect();
      return;
    }
  } else {
    const int32_t ticks = runner.CatchUp(time, static_cast<int32_t>((static_cast<int64_t>(time) + 1) / 2));
    runner.StartTimedWait(request.direction == 1 ? 8 : 7, ticks);
  }
  host.StartScreenEffect(request);
}

#include "script/ImgCommand.h"

#include "io/Path.h"
#include "io/ShiftJis.h"
#include "persist/Settings.h"
#include "script/ScriptNames.h"
#include "script/ScriptRunner.h"

CImgCommand::CImgCommand(const CScriptParams& params) : async(params.FlagOn("ASYNC", false)) {
  request.layer = params.Name("PLACE", scriptnames::kLayers, 0);
  request.src = params.Path("SRC");
  request.click = params.Path("CLICK");
  request.mask = params.Path("MASK");
  request.transition = params.Name("EFFECT", scriptnames::kTransitions, 0);
  request.duration = params.Int("TIME", 30);
  request.x = params.Int("X", 0);
  request.y = params.Int("Y", 0);
  request.zoom = params.Int("ZOOM", 100);
  request.flipX = params.FlagOn("FLIP_X", false);
  request.loop = params.FlagOn("LOOP", false);
  request.priority = params.Int("PRIORITY", 0);
  request.maskGradation = params.Int("MASK_GRADATION", 0);

  std::string title = "画像の消去";
  if (!request.src.empty()) {
    title = CScriptParams::FileTitle(request.src);
    if (!request.click.empty()) title += " (" + CScriptParams::FileTitle(request.click) + ")";
  }
  std::string detail = scriptnames::LayerDisplay(request.layer);
  if (request.transition != 0)
    detail += std::string(", ") + scriptnames::kTransitions[request.transition].display;
  if (!request.mask.empty()) detail += "(" + CScriptParams::FileTitle(request.mask) + ")";
  SetDescription(title, detail);
}

namespace {

// Every album entry that lists the picture counts as seen; names compare without regard to case.
void MarkAlbumSeen(const std::string& src) {
  const std::string wanted = sjis::ToUpperAscii(src);
  for (SAlbumEntry& entry : settings::Extras().Album())
    for (const std::string& image : entry.images)
      if (sjis::ToUpperAscii(ResolvePath(image)) == wanted) entry.seen = true;
}

}  // namespace

void CImgCommand::Execute(CScriptRunner& runner) {
  SImageRequest shown = request;
  if (runner.EffectsSuppressed()) shown.transition = 0;
  if (shown.transition != 0) {
    const int32_t time = request.duration;
    shown.duration = runner.CatchUp(time, static_cast<int32_t>((static_cast<int64_t>(time) * 3 + 3) / 4));
  } else {
    shown.duration = 0;
  }
  IScriptHost& host = runner.Host();
  host.ShowImage(shown);
  if (!request.src.empty()) MarkAlbumSeen(request.src);
  if (shown.transition != 0 && !async) runner.StartTimedWait(10, shown.duration);
  host.DiscardElapsedTime();
}

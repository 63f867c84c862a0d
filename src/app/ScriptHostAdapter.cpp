#include "app/ScriptHostAdapter.h"

#include "app/GameSystem.h"
#include "app/InputRouter.h"
#include "audio/SoundSystem.h"
#include "gfx/LayerSet.h"
#include "gfx/ScreenEffect.h"
#include "io/Path.h"
#include "io/ShiftJis.h"
#include "io/Trace.h"
#include "persist/Settings.h"
#include "platform/Platform.h"
#include "script/ScriptRunner.h"
#include "ui/MessageText.h"
#include "ui/MessageWindow.h"

int32_t CScriptHostAdapter::GetMode() const { return game.Mode(); }
void CScriptHostAdapter::SetMode(int32_t mode) { game.SetMode(mode); }
int32_t CScriptHostAdapter::GetWaitLength() const { return game.WaitLength(); }
void CScriptHostAdapter::SetWaitLength(int32_t ticks) { game.SetWaitLength(ticks); }
int32_t CScriptHostAdapter::GetWaitElapsed() const { return game.WaitElapsed(); }
void CScriptHostAdapter::SetWaitElapsed(int32_t ticks) { game.SetWaitElapsed(ticks); }
void CScriptHostAdapter::DiscardElapsedTime() { game.DiscardElapsedTime(); }
int32_t CScriptHostAdapter::GetLostTicks() const { return game.Clock().LostTicks(); }
void CScriptHostAdapter::SetLostTicks(int32_t ticks) { game.Clock().SetLostTicks(ticks); }

bool CScriptHostAdapter::IsSkipping() const { return game.Text().IsSkipping(); }
bool CScriptHostAdapter::IsAutoMode() const { return game.IsAutoMode(); }
int32_t CScriptHostAdapter::AutoWaitTicks() const { return settings::Config().AutoWait(); }
bool CScriptHostAdapter::AreEffectsOff() const {
  return settings::Config().Value(CPlayerConfig::kEffects) == 1;
}
bool CScriptHostAdapter::IsDemoMode() const { return game.IsDemoMode(); }
void CScriptHostAdapter::SetDemoMode(bool demo) { game.SetDemoMode(demo); }
void CScriptHostAdapter::OnConfirm() { game.Input().OnConfirm(); }

CRandom& CScriptHostAdapter::Random() { return game.Platform().Random(); }
CVariableStore& CScriptHostAdapter::Variables() { return game.Variables(); }
CGameClock& CScriptHostAdapter::Clock() { return game.GameClock(); }
void CScriptHostAdapter::MarkScreenDirty() { game.Display().MarkAllDirty(); }
void CScriptHostAdapter::ShowError(const std::string& text) { ::ShowError(text); }

void CScriptHostAdapter::AddText(const std::string& text, const std::string& ruby, int32_t size,
                                 int32_t color) {
  game.Text().AddText(text, ruby, size, color);
}

void CScriptHostAdapter::WaitClick(bool newPage, bool showIcon) { game.Text().WaitClick(newPage, showIcon); }
void CScriptHostAdapter::NewPage(bool store) { game.Text().NewPage(store); }
bool CScriptHostAdapter::PageHasText() const { return game.Text().Page().HasText(); }
std::string CScriptHostAdapter::PageText() const { return game.Text().Page().Text(); }
std::string CScriptHostAdapter::SpeakerName() const { return game.Text().Page().speaker; }
bool CScriptHostAdapter::RevealNextPiece() { return game.Text().LayOutNextPiece(); }
void CScriptHostAdapter::SetRevealInterval(int32_t ticks) { game.Text().SetRevealFactor(ticks); }

std::vector<SChoice>& CScriptHostAdapter::Choices() { return game.Choices(); }
std::vector<SClickRegion>& CScriptHostAdapter::ClickRegions() { return game.ClickRegions(); }
int32_t CScriptHostAdapter::GetChoiceHover() const { return game.ChoiceHover(); }
void CScriptHostAdapter::SetChoiceHover(int32_t index) {
  // The hovered entry decides the highlighted row, the verb shown and its cursor.
  if (index != game.ChoiceHover()) game.Display().MarkAllDirty();
  game.SetChoiceHover(index);
}
int32_t CScriptHostAdapter::GetChoiceTaken() const { return game.ChoiceTaken(); }
void CScriptHostAdapter::SetChoiceTaken(int32_t value) { game.SetChoiceTaken(value); }
bool CScriptHostAdapter::HitTestColorMap(int32_t layer, int32_t x, int32_t y, uint32_t& color) {
  return game.Layers().HitTestColorMap(layer, x, y, color);
}
void CScriptHostAdapter::ShowSystemCursor(bool show) { game.Platform().Input().ShowSystemCursor(show); }

void CScriptHostAdapter::AdvanceFades(int32_t usedTicks) {
  game.Window().UpdateWindowLevels(usedTicks);
  game.Layers().AdvanceTransitions(usedTicks);
}
void CScriptHostAdapter::CompleteLayerTransitions() { game.Layers().CompleteTransitions(); }
void CScriptHostAdapter::SetSpeakingValue(int32_t value) { game.Layers().SetMouth(value); }
bool CScriptHostAdapter::IsVoicePlaying() {
  return game.Sound().IsChannelPlaying(CSoundSystem::kVoiceChannel);
}

void CScriptHostAdapter::ShowImage(const SImageRequest& r) {
  SLayerImage image;
  image.layer = r.layer;
  image.src = r.src;
  image.click = r.click;
  image.mask = r.mask;
  image.transition = r.transition;
  image.duration = r.duration;
  image.x = r.x;
  image.y = r.y;
  image.zoom = r.zoom;
  image.flipX = r.flipX;
  image.loop = r.loop;
  image.priority = r.priority;
  image.maskGradation = r.maskGradation;
  game.Layers().ShowImage(image);
}

void CScriptHostAdapter::PlaySound(int32_t channel, const std::string& src, bool loop, int32_t fadeTicks) {
  game.Sound().PlaySound(src, channel, loop, false, fadeTicks);
}

void CScriptHostAdapter::StopSound(int32_t channel, int32_t fadeTicks) {
  game.Sound().StopSound(channel, fadeTicks);
}
bool CScriptHostAdapter::IsChannelPlaying(int32_t channel) { return game.Sound().IsChannelPlaying(channel); }
bool CScriptHostAdapter::IsChannelFadingOut(int32_t channel) { return game.Sound().IsFadingOut(channel); }

void CScriptHostAdapter::PlayMovie(const std::string& src) { game.PlayMovie(src); }

void CScriptHostAdapter::StartScreenEffect(const SScreenEffectRequest& r) {
  game.Layers().Effect().Start(r.effect, r.level, static_cast<uint32_t>(r.color), r.place);
}

void CScriptHostAdapter::StopScreenEffect() { game.Layers().Effect().SetEffect(0); }
void CScriptHostAdapter::SetColorMap(int32_t colorMap) { game.Layers().SetColorMap(colorMap); }

void CScriptHostAdapter::ScrollLayer(int32_t layer, int32_t dx, int32_t dy, int32_t ticks, bool loop) {
  game.Layers().ScrollLayer(layer, dx, dy, ticks, loop);
}
bool CScriptHostAdapter::IsWindowVisible() const { return game.Window().IsShown(); }

void CScriptHostAdapter::SetMessageWindow(const SWindowRequest& request) {
  game.Text().SetWindowStyle(request.type);
  game.Text().SetSpeaker(request.name);
  game.Window().SetShown(request.visible);
  game.Window().SetFace(request.image);
  game.Layers().SetSpeaker(request.speakLayer, request.speakId);
}

void CScriptHostAdapter::SetDatePlateVisible(bool visible) { game.Window().DatePlate().SetShown(visible); }

void CScriptHostAdapter::ShowDateScreen(const std::string& background) {
  // Only a date command that names its background shows the screen.
  CTrace::Event("date", {{"screen", background}});
  if (background.empty()) return;
  dateBackground = background;
  game.SetMode(CGameSystem::kModeDate);
  game.DiscardElapsedTime();
}

void CScriptHostAdapter::SetSaveTitle(const std::string& title) { saveTitle = title; }
void CScriptHostAdapter::RunSystemCommand(const std::string& command) {
  CSystemControl(game.Script(), *this).Run(command);
}

void CScriptHostAdapter::SetMapAnswer(int32_t index, int32_t person, const std::string& label) {
  if (index < 0 || index >= CSystemControl::kMapAnswers) return;
  mapAnswers[static_cast<size_t>(index)] = {person, label};
}

void CScriptHostAdapter::StopSkipping() { game.SetSkipping(false); }

void CScriptHostAdapter::SetLayerOpacity(int32_t layer, int32_t opacity) {
  game.Layers().SetOpacity(layer, opacity);
}
void CScriptHostAdapter::MarkFlashbackSeen(const std::string& script) {
  const std::string wanted = sjis::ToUpperAscii(script);
  for (SFlashbackEntry& entry : settings::Extras().Flashback())
    if (sjis::ToUpperAscii(entry.scenario) == wanted) entry.seen = true;
}
bool CScriptHostAdapter::HasScreenMode() const { return game.HasScreenMode(); }
bool CScriptHostAdapter::IsActionPointRuleOn() const { return game.IsApEnabled(); }
int32_t CScriptHostAdapter::MapEventMinutes() const { return settings::TimeStep(); }
std::string CScriptHostAdapter::GetMapMusic() const { return game.MapMusic(); }
void CScriptHostAdapter::SetMapMusic(const std::string& music) { game.SetMapMusic(music); }
void CScriptHostAdapter::ResetScene() { game.ResetScene(); }
void CScriptHostAdapter::OnScenarioEnded() { game.OnScenarioEnded(); }

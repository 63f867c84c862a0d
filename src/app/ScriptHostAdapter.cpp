#include "app/ScriptHostAdapter.h"

#include <algorithm>

#include "app/GameSystem.h"
#include "app/InputRouter.h"
#include "audio/SoundSystem.h"
#include "io/Path.h"
#include "io/ShiftJis.h"
#include "io/Trace.h"
#include "persist/Settings.h"
#include "platform/Platform.h"

void CScriptHostAdapter::CompleteText() {}

void CScriptHostAdapter::EndClickWait(bool newPage) {
  if (newPage) pageText.clear();
}

void CScriptHostAdapter::ResetPage() {
  pageText.clear();
  speaker.clear();
}

int32_t CScriptHostAdapter::RevealDelay() const {
  const int32_t speed = settings::Config().TextSpeed();
  return std::max(1, ((100 - speed) * revealInterval + 49) / 50);
}

int32_t CScriptHostAdapter::GetMode() const { return game.Mode(); }
void CScriptHostAdapter::SetMode(int32_t mode) { game.SetMode(mode); }
int32_t CScriptHostAdapter::GetWaitLength() const { return game.WaitLength(); }
void CScriptHostAdapter::SetWaitLength(int32_t ticks) { game.SetWaitLength(ticks); }
int32_t CScriptHostAdapter::GetWaitElapsed() const { return game.WaitElapsed(); }
void CScriptHostAdapter::SetWaitElapsed(int32_t ticks) { game.SetWaitElapsed(ticks); }
void CScriptHostAdapter::DiscardElapsedTime() { game.DiscardElapsedTime(); }
int32_t CScriptHostAdapter::GetLostTicks() const { return game.Clock().LostTicks(); }
void CScriptHostAdapter::SetLostTicks(int32_t ticks) { game.Clock().SetLostTicks(ticks); }

bool CScriptHostAdapter::IsSkipping() const { return game.IsSkipping(); }
bool CScriptHostAdapter::IsAutoMode() const { return game.IsAutoMode(); }
int32_t CScriptHostAdapter::AutoWaitTicks() const { return settings::Config().AutoWait(); }
bool CScriptHostAdapter::AreEffectsOff() const { return settings::Config().Value(CPlayerConfig::kEffects) == 1; }
bool CScriptHostAdapter::IsDemoMode() const { return game.IsDemoMode(); }
void CScriptHostAdapter::SetDemoMode(bool demo) { game.SetDemoMode(demo); }
void CScriptHostAdapter::OnConfirm() { CInputRouter(game).OnConfirm(); }

CRandom& CScriptHostAdapter::Random() { return game.Platform().Random(); }
CVariableStore& CScriptHostAdapter::Variables() { return game.Variables(); }
CGameClock& CScriptHostAdapter::Clock() { return game.GameClock(); }
void CScriptHostAdapter::MarkScreenDirty() { game.Display().MarkAllDirty(); }
void CScriptHostAdapter::ShowError(const std::string& text) { ::ShowError(text); }

void CScriptHostAdapter::AddText(const std::string& text, const std::string&, int32_t, int32_t) {
  pageText += text;
}

void CScriptHostAdapter::WaitClick(bool newPage, bool) {
  game.SetMode(newPage ? CGameSystem::kModeClickWaitPage : CGameSystem::kModeClickWait);
}

void CScriptHostAdapter::NewPage(bool) { pageText.clear(); }
bool CScriptHostAdapter::PageHasText() const { return !pageText.empty(); }

std::string CScriptHostAdapter::PageText() const {
  std::string text = pageText;
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

std::string CScriptHostAdapter::SpeakerName() const { return speaker; }
bool CScriptHostAdapter::RevealNextPiece() { return false; }
void CScriptHostAdapter::SetRevealInterval(int32_t ticks) { revealInterval = ticks; }

std::vector<SChoice>& CScriptHostAdapter::Choices() { return game.Choices(); }
std::vector<SClickRegion>& CScriptHostAdapter::ClickRegions() { return game.ClickRegions(); }
int32_t CScriptHostAdapter::GetChoiceHover() const { return game.ChoiceHover(); }
void CScriptHostAdapter::SetChoiceHover(int32_t index) { game.SetChoiceHover(index); }
int32_t CScriptHostAdapter::GetChoiceTaken() const { return game.ChoiceTaken(); }
void CScriptHostAdapter::SetChoiceTaken(int32_t value) { game.SetChoiceTaken(value); }
bool CScriptHostAdapter::HitTestColorMap(int32_t, int32_t, int32_t, uint32_t&) { return false; }
void CScriptHostAdapter::ShowSystemCursor(bool show) { game.Platform().Input().ShowSystemCursor(show); }

void CScriptHostAdapter::AdvanceFades(int32_t) {}
void CScriptHostAdapter::CompleteLayerTransitions() {}
void CScriptHostAdapter::SetSpeakingValue(int32_t) {}
bool CScriptHostAdapter::IsVoicePlaying() { return game.Sound().IsChannelPlaying(CSoundSystem::kVoiceChannel); }

void CScriptHostAdapter::ShowImage(const SImageRequest&) {}

void CScriptHostAdapter::PlaySound(int32_t channel, const std::string& src, bool loop, int32_t fadeTicks) {
  game.Sound().PlaySound(src, channel, loop, false, fadeTicks);
}

void CScriptHostAdapter::StopSound(int32_t channel, int32_t fadeTicks) { game.Sound().StopSound(channel, fadeTicks); }
bool CScriptHostAdapter::IsChannelPlaying(int32_t channel) { return game.Sound().IsChannelPlaying(channel); }
bool CScriptHostAdapter::IsChannelFadingOut(int32_t channel) { return game.Sound().IsFadingOut(channel); }

void CScriptHostAdapter::PlayMovie(const std::string& src) {
  // Movie playback is not built yet: the movie ends at once, and says so in the trace.
  CTrace::Event("movie", {{"action", "start"}, {"file", src}});
  CTrace::Event("movie", {{"action", "end"}, {"file", src}});
}

void CScriptHostAdapter::StartScreenEffect(const SScreenEffectRequest&) {}
void CScriptHostAdapter::StopScreenEffect() {}
void CScriptHostAdapter::SetColorMap(int32_t) {}
void CScriptHostAdapter::ScrollLayer(int32_t, int32_t, int32_t, int32_t, bool) {}
bool CScriptHostAdapter::IsWindowVisible() const { return windowVisible; }

void CScriptHostAdapter::SetMessageWindow(const SWindowRequest& request) {
  windowVisible = request.visible;
  speaker = request.name;
}

void CScriptHostAdapter::SetDatePlateVisible(bool visible) { datePlateVisible = visible; }

void CScriptHostAdapter::ShowDateScreen(const std::string& background) {
  // The date screen is not built yet: the command is traced and skipped.
  CTrace::Event("date", {{"screen", background}});
}

void CScriptHostAdapter::SetSaveTitle(const std::string& title) { saveTitle = title; }
void CScriptHostAdapter::RunSystemCommand(const std::string&) {}
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

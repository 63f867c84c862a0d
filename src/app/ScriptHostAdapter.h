#pragma once
#include <array>
#include <string>

#include "script/ScriptHost.h"
#include "script/SystemControl.h"

class CGameSystem;

// The engine as the script interpreter sees it: forwards each operation to the engine object or the
// subsystem that does the work.
class CScriptHostAdapter : public IScriptHost, public ISystemControlTarget {
 public:
  explicit CScriptHostAdapter(CGameSystem& game) : game(game) {}

  int32_t GetMode() const override;
  void SetMode(int32_t mode) override;
  int32_t GetWaitLength() const override;
  void SetWaitLength(int32_t ticks) override;
  int32_t GetWaitElapsed() const override;
  void SetWaitElapsed(int32_t ticks) override;
  void DiscardElapsedTime() override;
  int32_t GetLostTicks() const override;
  void SetLostTicks(int32_t ticks) override;

  bool IsSkipping() const override;
  bool IsAutoMode() const override;
  int32_t AutoWaitTicks() const override;
  bool AreEffectsOff() const override;
  bool IsDemoMode() const override;
  void SetDemoMode(bool demo) override;
  void OnConfirm() override;

  CRandom& Random() override;
  CVariableStore& Variables() override;
  CGameClock& Clock() override;
  void MarkScreenDirty() override;
  void ShowError(const std::string& text) override;

  void AddText(const std::string& text, const std::string& ruby, int32_t size, int32_t color) override;
  void WaitClick(bool newPage, bool showIcon) override;
  void NewPage(bool store) override;
  bool PageHasText() const override;
  std::string PageText() const override;
  std::string SpeakerName() const override;
  bool RevealNextPiece() override;
  void SetRevealInterval(int32_t ticks) override;

  std::vector<SChoice>& Choices() override;
  std::vector<SClickRegion>& ClickRegions() override;
  int32_t GetChoiceHover() const override;
  void SetChoiceHover(int32_t index) override;
  int32_t GetChoiceTaken() const override;
  void SetChoiceTaken(int32_t value) override;
  bool HitTestColorMap(int32_t layer, int32_t x, int32_t y, uint32_t& color) override;
  void ShowSystemCursor(bool show) override;

  void AdvanceFades(int32_t usedTicks) override;
  void CompleteLayerTransitions() override;
  void SetSpeakingValue(int32_t value) override;
  bool IsVoicePlaying() override;

  void ShowImage(const SImageRequest& request) override;
  void PlaySound(int32_t channel, const std::string& src, bool loop, int32_t fadeTicks) override;
  void StopSound(int32_t channel, int32_t fadeTicks) override;
  bool IsChannelPlaying(int32_t channel) override;
  bool IsChannelFadingOut(int32_t channel) override;
  void PlayMovie(const std::string& src) override;
  void StartScreenEffect(const SScreenEffectRequest& request) override;
  void StopScreenEffect() override;
  void SetColorMap(int32_t colorMap) override;
  void ScrollLayer(int32_t layer, int32_t dx, int32_t dy, int32_t ticks, bool loop) override;
  bool IsWindowVisible() const override;
  void SetMessageWindow(const SWindowRequest& request) override;
  void SetDatePlateVisible(bool visible) override;
  void ShowDateScreen(const std::string& background) override;
  void SetSaveTitle(const std::string& title) override;
  void RunSystemCommand(const std::string& command) override;

  void MarkFlashbackSeen(const std::string& script) override;
  bool HasScreenMode() const override;
  bool IsActionPointRuleOn() const override;
  int32_t MapEventMinutes() const override;
  std::string GetMapMusic() const override;
  void SetMapMusic(const std::string& music) override;
  void ResetScene() override;
  void OnScenarioEnded() override;

  // SYSTEM control words.
  void SetMapAnswer(int32_t index, int32_t person, const std::string& label) override;
  void StopSkipping() override;
  void SetLayerOpacity(int32_t layer, int32_t opacity) override;

  struct SMapAnswer {
    int32_t person = 0;
    std::string label;
  };
  const std::array<SMapAnswer, CSystemControl::kMapAnswers>& MapAnswers() const { return mapAnswers; }
  void ClearMapAnswers() { mapAnswers = {}; }
  // The comment of the next save (SAVETITLE).
  const std::string& SaveTitle() const { return saveTitle; }
  // The background of the date screen the last DATE command started.
  const std::string& DateBackground() const { return dateBackground; }

 private:
  CGameSystem& game;
  std::array<SMapAnswer, CSystemControl::kMapAnswers> mapAnswers;
  std::string saveTitle;
  std::string dateBackground;
};

#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "io/PackMemFile.h"
#include "platform/Random.h"
#include "script/GameClock.h"
#include "script/ScriptHost.h"
#include "script/ScriptRunner.h"
#include "script/VariableStore.h"

// An engine double for the interpreter: modes behave as the engine's SetMode does, message text
// is kept as one string, and every call into a subsystem is written to a log as a short line.
class CFakeScriptHost : public IScriptHost {
 public:
  int32_t mode = 0;
  int32_t waitLength = 0;
  int32_t waitElapsed = 0;
  int32_t lostTicks = 0;
  bool skipping = false;
  bool autoMode = false;
  int32_t autoWait = 0;
  bool effectsOff = false;
  bool demo = false;
  bool windowVisible = true;
  std::string page;
  bool hasText = false;
  void ClearPage() {
    page.clear();
    hasText = false;
  }
  std::vector<SChoice> choices;
  std::vector<SClickRegion> regions;
  int32_t choiceHover = -1;
  int32_t choiceTaken = -1;
  std::map<int32_t, uint32_t> colorMaps;  // layer -> click-map colour under the cursor
  std::map<int32_t, bool> playing;        // sound channels playing
  bool screenMode = false;
  bool apRule = false;
  std::string mapMusic;
  CRandom random;
  CVariableStore variables;
  CGameClock clock;
  std::vector<int32_t> modes;    // every mode entered, in order
  std::vector<std::string> log;  // subsystem calls (Shift JIS, as the literals of the tests)
  int scenarioEnds = 0;

  int32_t GetMode() const override { return mode; }
  void SetMode(int32_t next) override {
    if (mode == 4 && next != 4) choices.clear();
    if (mode == 5 && next != 5) regions.clear();
    if ((next == 4 && mode != 4) || (next == 5 && mode != 5)) choiceTaken = -1;
    waitElapsed = 0;
    mode = next;
    if (next == 9)
      waitLength = 10;
    else if (next == 12)
      waitLength = 2147483647;
    else if (next < 7 || next > 11)
      waitLength = 0;
    modes.push_back(next);
  }
  int32_t GetWaitLength() const override { return waitLength; }
  void SetWaitLength(int32_t ticks) override { waitLength = ticks; }
  int32_t GetWaitElapsed() const override { return waitElapsed; }
  void SetWaitElapsed(int32_t ticks) override { waitElapsed = ticks; }
  void DiscardElapsedTime() override { log.push_back("discard"); }
  int32_t GetLostTicks() const override { return lostTicks; }
  void SetLostTicks(int32_t ticks) override { lostTicks = ticks; }
  bool IsSkipping() const override { return skipping; }
  bool IsAutoMode() const override { return autoMode; }
  int32_t AutoWaitTicks() const override { return autoWait; }
  bool AreEffectsOff() const override { return effectsOff; }
  bool IsDemoMode() const override { return demo; }
  void SetDemoMode(bool value) override { demo = value; }
  void OnConfirm() override {
    if (mode == 3) ClearPage();
    if (mode >= 1 && mode <= 3) SetMode(0);
  }
  CRandom& Random() override { return random; }
  CVariableStore& Variables() override { return variables; }
  CGameClock& Clock() override { return clock; }
  void MarkScreenDirty() override { log.push_back("dirty"); }
  void ShowError(const std::string& text) override { log.push_back("error " + text); }
  void AddText(const std::string& text, const std::string& ruby, int32_t size, int32_t color) override {
    page += text;
    hasText = hasText || text != "\n";
    if (!ruby.empty() || size != 100 || color != -1)
      log.push_back("text " + text + "/" + ruby + " " + std::to_string(size) + " " + std::to_string(color));
  }
  void WaitClick(bool newPage, bool showIcon) override {
    if (newPage && page.empty()) return;
    log.push_back(std::string("click ") + (newPage ? "page" : "line") + (showIcon ? "" : " noicon"));
    SetMode(newPage ? 3 : 2);
  }
  void NewPage(bool store) override {
    log.push_back(store ? "newpage store" : "newpage");
    ClearPage();
  }
  // Line breaks alone are no text.
  bool PageHasText() const override { return hasText; }
  std::string PageText() const override {
    std::string text = page;
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
  }
  std::string SpeakerName() const override { return "speaker"; }
  int pendingPieces = 0;  // pieces still to appear in mode 1
  bool RevealNextPiece() override {
    if (pendingPieces == 0) return false;
    --pendingPieces;
    waitElapsed = 0;
    return true;
  }
  void SetRevealInterval(int32_t ticks) override { log.push_back("speed " + std::to_string(ticks)); }
  std::vector<SChoice>& Choices() override { return choices; }
  std::vector<SClickRegion>& ClickRegions() override { return regions; }
  int32_t GetChoiceHover() const override { return choiceHover; }
  void SetChoiceHover(int32_t index) override { choiceHover = index; }
  int32_t GetChoiceTaken() const override { return choiceTaken; }
  void SetChoiceTaken(int32_t value) override { choiceTaken = value; }
  bool HitTestColorMap(int32_t layer, int32_t, int32_t, uint32_t& color) override {
    auto it = colorMaps.find(layer);
    if (it == colorMaps.end()) return false;
    color = it->second;
    return true;
  }
  void ShowSystemCursor(bool show) override { log.push_back(show ? "cursor on" : "cursor off"); }
  void AdvanceFades(int32_t) override {}
  void CompleteLayerTransitions() override { log.push_back("complete transitions"); }
  std::vector<int32_t> speaking;
  void SetSpeakingValue(int32_t value) override { speaking.push_back(value); }
  bool IsVoicePlaying() override { return playing[3]; }
  void ShowImage(const SImageRequest& r) override {
    log.push_back("img " + std::to_string(r.layer) + " " + r.src + " " + std::to_string(r.transition) + " " +
                  std::to_string(r.duration));
  }
  void PlaySound(int32_t channel, const std::string& src, bool loop, int32_t fade) override {
    log.push_back("play " + std::to_string(channel) + " " + src + (loop ? " loop " : " ") +
                  std::to_string(fade));
    playing[channel] = true;
  }
  void StopSound(int32_t channel, int32_t fade) override {
    log.push_back("stop " + std::to_string(channel) + " " + std::to_string(fade));
    playing[channel] = false;
  }
  bool IsChannelPlaying(int32_t channel) override { return playing[channel]; }
  bool IsChannelFadingOut(int32_t) override { return false; }
  void PlayMovie(const std::string& src) override { log.push_back("movie " + src); }
  SScreenEffectRequest lastEffect;
  void StartScreenEffect(const SScreenEffectRequest& r) override {
    lastEffect = r;
    log.push_back("effect " + std::to_string(r.effect) + " " + std::to_string(r.level) + " " +
                  std::to_string(r.direction));
  }
  void StopScreenEffect() override { log.push_back("effect off"); }
  void SetColorMap(int32_t map) override { log.push_back("colormap " + std::to_string(map)); }
  void ScrollLayer(int32_t layer, int32_t dx, int32_t dy, int32_t ticks, bool loop) override {
    log.push_back("scroll " + std::to_string(layer) + " " + std::to_string(dx) + " " + std::to_string(dy) +
                  " " + std::to_string(ticks) + (loop ? " loop" : ""));
  }
  bool IsWindowVisible() const override { return windowVisible; }
  void SetMessageWindow(const SWindowRequest& r) override {
    windowVisible = r.visible;
    log.push_back("window " + std::string(r.visible ? "on " : "off ") + r.name);
  }
  void SetDatePlateVisible(bool visible) override { log.push_back(visible ? "plate on" : "plate off"); }
  void ShowDateScreen(const std::string& bg) override { log.push_back("datescreen " + bg); }
  void SetSaveTitle(const std::string& title) override { log.push_back("savetitle " + title); }
  void RunSystemCommand(const std::string& command) override { log.push_back("system " + command); }
  void MarkFlashbackSeen(const std::string& script) override { log.push_back("seen " + script); }
  bool HasScreenMode() const override { return screenMode; }
  bool IsActionPointRuleOn() const override { return apRule; }
  int32_t MapEventMinutes() const override { return 90; }
  std::string GetMapMusic() const override { return mapMusic; }
  void SetMapMusic(const std::string& music) override { mapMusic = music; }
  void ResetScene() override { log.push_back("reset scene"); }
  void OnScenarioEnded() override { ++scenarioEnds; }
};

// A runner over scripts held in memory (Shift JIS text by data path).
struct SScriptFixture {
  CFakeScriptHost host;
  CScriptRunner runner{host};
  std::map<std::string, std::string> files;

  SScriptFixture() {
    runner.SetFileOpener([this](const std::string& name) -> std::unique_ptr<CReadFile> {
      auto it = files.find(name);
      if (it == files.end()) return nullptr;
      return std::make_unique<CPackMemFile>(std::vector<uint8_t>(it->second.begin(), it->second.end()));
    });
  }
  // Opens main.adv holding text and runs one frame of delta ticks.
  void Start(const std::string& text, int32_t delta = 1) {
    files["main.adv"] = text;
    runner.OpenScript("main.adv", 0, false);
    host.log.clear();
    runner.RunScript(delta, 0, 0);
  }
  void Frame(int32_t delta = 1) { runner.RunScript(delta, 0, 0); }
  void Click() {
    host.OnConfirm();
    Frame();
  }
  // Plays until the script ends with one confirm per wait (the first entry of every choice) and
  // returns each wait's page, or "choice A/B" for a choice. Stops after limit waits.
  std::vector<std::string> PlayThrough(int limit = 50) {
    std::vector<std::string> waits;
    while (runner.IsActive() && static_cast<int>(waits.size()) < limit) {
      if (host.mode == 4) {
        std::string entries;
        for (const SChoice& choice : host.choices) entries += (entries.empty() ? "" : "/") + choice.text;
        waits.push_back("choice " + entries);
        host.choiceTaken = 0;
        Frame();
      } else {
        waits.push_back(host.PageText());
        Click();
      }
    }
    return waits;
  }
};

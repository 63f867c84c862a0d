#pragma once
#include <cstdint>
#include <string>
#include <vector>

class CGameClock;
class CRandom;
class CVariableStore;

// An entry of the choice list (engine mode 4): its text and the first line of its body.
struct SChoice {
  std::string text;
  int32_t bodyLine = 0;
};

// An entry of the click-region list (engine mode 5): the layer whose click map is hit, the verb
// shown for it, the click-map colour (blue, green, red from the low byte up) and its body line.
struct SClickRegion {
  int32_t place = 0;
  int32_t verb = 0;
  int32_t color = 0;
  int32_t bodyLine = 0;
};

// What an IMG command asks of a layer. The transition and its duration are final: effects-off,
// skipping and demo catch-up have already been applied by the command. The host replaces the
// layer's picture (the old one stays as the previous picture while the transition runs; with no
// transition it goes at once), loads the mask, marks the album entry seen and the screen dirty.
struct SImageRequest {
  int32_t layer = 0;
  std::string src, click, mask;
  int32_t transition = 0;
  int32_t duration = 0;
  int32_t x = 0, y = 0;
  int32_t zoom = 100;
  bool flipX = false;
  bool loop = false;
  int32_t priority = 0;
  int32_t maskGradation = 0;
};

// What a SCREEN command starts: effect number, level, colour (0xAARRGGBB), layer (-1 whole
// screen) and direction (0 in, 1 out).
struct SScreenEffectRequest {
  int32_t effect = 0;
  int32_t level = 1;
  int32_t color = 0;
  int32_t place = -1;
  int32_t direction = 0;
};

// What a WINDOW command sets on the message window; the name is already substituted.
struct SWindowRequest {
  bool visible = true;
  std::string name;
  std::string image;
  int32_t speakLayer = -1;
  int32_t speakId = 0;
  int32_t type = 0;
};

// The engine operations the script interpreter uses. The engine object implements them; the
// interpreter and the commands reach the engine only through this interface. Strings are Shift JIS.
class IScriptHost {
 public:
  virtual ~IScriptHost() = default;

  // Engine mode and the timed part of the current mode.
  virtual int32_t GetMode() const = 0;             // the engine mode, 0 to 21
  virtual void SetMode(int32_t mode) = 0;          // leaves the old mode and enters the new one
  virtual int32_t GetWaitLength() const = 0;       // ticks of the current timed mode, 0 for none
  virtual void SetWaitLength(int32_t ticks) = 0;   // set before SetMode for modes 7, 8, 10, 11
  virtual int32_t GetWaitElapsed() const = 0;      // ticks of the timed mode already passed
  virtual void SetWaitElapsed(int32_t ticks) = 0;  // used by the sound wait (mode 12)
  virtual void DiscardElapsedTime() = 0;           // a long operation: the next frame does not jump
  virtual int32_t GetLostTicks() const = 0;        // ticks discarded by long operations
  virtual void SetLostTicks(int32_t ticks) = 0;    // demo catch-up consumes them

  // Player state and settings.
  virtual bool IsSkipping() const = 0;        // skip mode is running
  virtual bool IsAutoMode() const = 0;        // auto mode is on
  virtual int32_t AutoWaitTicks() const = 0;  // the auto-mode wait setting in ticks
  virtual bool AreEffectsOff() const = 0;     // the player switched effects off
  virtual bool IsDemoMode() const = 0;        // demo mode (DEMO command)
  virtual void SetDemoMode(bool demo) = 0;    // DEMO command
  virtual void OnConfirm() = 0;               // the "decide" input: ends a click wait, completes text

  // Shared services.
  virtual CRandom& Random() = 0;                        // the engine's seeded generator
  virtual CVariableStore& Variables() = 0;              // shared and game variables, substitutions
  virtual CGameClock& Clock() = 0;                      // the game clock
  virtual void MarkScreenDirty() = 0;                   // redraw the whole screen next frame
  virtual void ShowError(const std::string& text) = 0;  // the error box

  // Message text.
  // One piece of message text (a character, a ruby, printed output, or "\n" at a line's end).
  virtual void AddText(const std::string& text, const std::string& ruby, int32_t size, int32_t color) = 0;
  virtual void WaitClick(bool newPage, bool showIcon) = 0;  // enters mode 2, or 3 with newPage
  virtual void NewPage(bool store) = 0;                     // CLEAR: stores the page and empties it
  virtual bool PageHasText() const = 0;                     // the current page holds text
  virtual std::string PageText() const = 0;                 // the page's lines joined with "\n"
  virtual std::string SpeakerName() const = 0;              // the speaker shown in the window
  virtual bool RevealNextPiece() = 0;                 // mode 1 timer ran out: false when no text is pending
  virtual void SetRevealInterval(int32_t ticks) = 0;  // SPEED: base reveal interval

  // Choices and click regions (modes 4 and 5).
  virtual std::vector<SChoice>& Choices() = 0;            // emptied by SetMode when mode 4 ends
  virtual std::vector<SClickRegion>& ClickRegions() = 0;  // emptied by SetMode when mode 5 ends
  virtual int32_t GetChoiceHover() const = 0;             // hovered entry, -1 for none
  virtual void SetChoiceHover(int32_t index) = 0;         // a choice group starts at 0, regions at -1
  virtual int32_t GetChoiceTaken() const = 0;      // modes 4, 5: list index; mode 6: body line; -1 none
  virtual void SetChoiceTaken(int32_t value) = 0;  // reset by a new group; set by IF and by the input
  // The click-map colour of the layer's picture at (x, y); false when the layer has no picture.
  virtual bool HitTestColorMap(int32_t layer, int32_t x, int32_t y, uint32_t& color) = 0;
  virtual void ShowSystemCursor(bool show) = 0;  // hidden over a click region

  // Per-step scene upkeep.
  virtual void AdvanceFades(int32_t usedTicks) = 0;  // window, date plate and layer cross-fades
  virtual void CompleteLayerTransitions() = 0;       // skipping: every cross-fade ends at once
  virtual void SetSpeakingValue(int32_t value) = 0;  // lip-sync value 0 to 2
  virtual bool IsVoicePlaying() = 0;                 // sound channel 3 is playing

  // Commands whose work belongs to other subsystems.
  virtual void ShowImage(const SImageRequest& request) = 0;  // IMG on a layer
  // SOUND with SRC: plays on a channel (0 to 4), fading in over fadeTicks.
  virtual void PlaySound(int32_t channel, const std::string& src, bool loop, int32_t fadeTicks) = 0;
  virtual void StopSound(int32_t channel, int32_t fadeTicks) = 0;           // SOUND without SRC
  virtual bool IsChannelPlaying(int32_t channel) = 0;                       // sound wait (mode 12)
  virtual bool IsChannelFadingOut(int32_t channel) = 0;                     // sound wait (mode 12)
  virtual void PlayMovie(const std::string& src) = 0;                       // MOVIE: enters mode 15
  virtual void StartScreenEffect(const SScreenEffectRequest& request) = 0;  // SCREEN
  virtual void StopScreenEffect() = 0;             // SCREEN out without a change time
  virtual void SetColorMap(int32_t colorMap) = 0;  // COLORMAP
  virtual void ScrollLayer(int32_t layer, int32_t dx, int32_t dy, int32_t ticks, bool loop) = 0;  // SCROLL
  virtual bool IsWindowVisible() const = 0;                          // message window shown
  virtual void SetMessageWindow(const SWindowRequest& request) = 0;  // WINDOW
  virtual void SetDatePlateVisible(bool visible) = 0;                // DATE_WINDOW
  virtual void ShowDateScreen(const std::string& background) = 0;    // DATE with SCREEN: enters mode 14
  virtual void SetSaveTitle(const std::string& title) = 0;           // SAVETITLE
  virtual void RunSystemCommand(const std::string& command) = 0;     // SYSTEM: CSystemControl::Run

  // Scenario flow.
  virtual void MarkFlashbackSeen(const std::string& script) = 0;  // a script is opened
  virtual bool HasScreenMode() const = 0;                         // a screen mode object exists
  virtual bool IsActionPointRuleOn() const = 0;                   // the map's "AP" rule
  virtual int32_t MapEventMinutes() const = 0;                    // clock advance after a map event
  virtual std::string GetMapMusic() const = 0;                    // the map's music file
  virtual void SetMapMusic(const std::string& music) = 0;         // MAP, and a resumed map frame
  virtual void ResetScene() = 0;       // screen effect off, mode 0, choice window hidden, lists emptied
  virtual void OnScenarioEnded() = 0;  // reset the game, then flashback screen, opening movie or title
};

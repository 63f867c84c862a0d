#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "app/FrameClock.h"
#include "gfx/Display.h"
#include "ui/ScreenMode.h"

class IPlatform;

// The one engine object: owns every piece of game state, the engine mode and the menu state, and
// decides the order of work in a frame. Subsystems do the work; this class sequences them.
class CGameSystem {
public:
  // Engine modes: 0 script runs, 1-12 text, waits, choices and timed modes, 13-21 screen modes and movie.
  enum EMode : int32_t {
    kModeScript = 0, kModeText = 1, kModeClickWait = 2, kModeClickWaitPage = 3, kModeChoice = 4,
    kModeClickRegions = 5, kModeCondition = 6, kModeEffectIn = 7, kModeEffectOut = 8, kModeWindow = 9,
    kModeTransition = 10, kModeWait = 11, kModeSoundWait = 12, kModeMap = 13, kModeDate = 14,
    kModeMovie = 15, kModeMapSelect = 16, kModeTitle = 17, kModeAlbum = 18, kModeFlashback = 19,
    kModeLogo = 20, kModeMusicRoom = 21,
  };
  static constexpr int32_t kWaitForever = 2147483647;

  explicit CGameSystem(IPlatform& platform);
  virtual ~CGameSystem();
  CGameSystem(const CGameSystem&) = delete;
  CGameSystem& operator=(const CGameSystem&) = delete;

  // Life cycle.
  bool Startup();
  void Shutdown();
  void ResetGame();
  bool QueryQuit();
  // Starts a new game at a script (and label), as the title's start item does.
  void StartNewGame(const std::string& script, const std::string& label);

  // The frame clock; Tick returns 0 when nothing can run (inactive, hidden or no display).
  int32_t Tick(int32_t x, int32_t y);
  void Update(int32_t delta, int32_t x, int32_t y);
  void Draw(int32_t x, int32_t y);
  void Redraw(int32_t x, int32_t y);
  int32_t DiscardElapsedTime();
  void SetInactive(bool flag);
  void SetVisible(bool flag) { visible = flag; }
  virtual void ToggleScreenMode();

  // Modes.
  void SetMode(int32_t mode);
  int32_t Mode() const { return mode; }
  void SetMenuState(int32_t state);
  int32_t MenuState() const { return menuState; }
  int32_t WaitLength() const { return waitLength; }
  void SetWaitLength(int32_t ticks) { waitLength = ticks; }
  int32_t WaitElapsed() const { return waitElapsed; }
  int32_t ChoiceTaken() const { return choiceTaken; }
  int32_t ChoiceHover() const { return choiceHover; }

  // Input from the main window (game-screen pixels, Windows flags and key codes).
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y);
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y);
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y);
  void OnRButtonDown(uint32_t flags, int32_t x, int32_t y);
  void OnMouseWheel(uint32_t flags, int32_t delta, int32_t x, int32_t y);
  void OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags);

  CDisplay& Display() { return display; }
  IPlatform& Platform() { return platform; }
  CFrameClock& Clock() { return clock; }
  bool IsVisible() const { return visible; }
  bool IsInactive() const { return inactive; }
  bool IsDisplayReady() const { return displayReady; }
  bool IsStarted() const { return started; }

private:
  void LeaveMode(int32_t oldMode, int32_t newMode);
  void EnterMode(int32_t newMode);
  void OpenOpeningScript();
  void DrawScene(int32_t x, int32_t y);

  IPlatform& platform;
  CDisplay display;
  CFrameClock clock;
  std::unique_ptr<CScreenMode> screenMode;

  bool started = false;
  bool visible = false;
  bool displayReady = false;
  bool inactive = false;
  bool fullRedraw = false;

  int32_t mode = kModeScript;
  int32_t menuState = 0;
  int32_t waitLength = 0;
  int32_t waitElapsed = 0;
  int32_t choiceHover = -1;
  int32_t choiceTaken = -1;

  // Game clock.
  int32_t year = 2000, month = 1, day = 1, hour = 0, minute = 0;
  bool replay = false;
  bool openingRunning = false;
  bool apEnabled = false;
};

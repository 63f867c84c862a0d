#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/FrameClock.h"
#include "gfx/Display.h"
#include "gfx/Surface.h"
#include "persist/DoneMarks.h"
#include "platform/Geometry.h"
#include "script/GameClock.h"
#include "script/ScriptHost.h"
#include "script/VariableStore.h"
#include "ui/ScreenMode.h"

class IPlatform;
class CInputRouter;
class CAnimation;
class CDialogLayer;
class CBacklogHostAdapter;
class CBacklogScreen;
class CConfigHostAdapter;
class CConfigScreen;
class CGameSaves;
class CLayerSet;
class CMenuHostAdapter;
class CMoviePlayback;
class CMenuLayer;
class CMessageHostAdapter;
class CMessageText;
class CMessageWindow;
class CPictureHostAdapter;
class CSaveLoadHostAdapter;
class CSaveLoadScreen;
class CScriptHostAdapter;
class CScriptRunner;
class CSoundHostAdapter;
class CSoundSystem;
class CSystemDataHostAdapter;

// The one engine object: owns every piece of game state, the engine mode and the menu state, and
// decides the order of work in a frame. Subsystems do the work; this class sequences them.
class CGameSystem {
 public:
  // Engine modes: 0 script runs, 1-12 text, waits, choices and timed modes, 13-21 screen modes and movie.
  enum EMode : int32_t {
    kModeScript = 0,
    kModeText = 1,
    kModeClickWait = 2,
    kModeClickWaitPage = 3,
    kModeChoice = 4,
    kModeClickRegions = 5,
    kModeCondition = 6,
    kModeEffectIn = 7,
    kModeEffectOut = 8,
    kModeWindow = 9,
    kModeTransition = 10,
    kModeWait = 11,
    kModeSoundWait = 12,
    kModeMap = 13,
    kModeDate = 14,
    kModeMovie = 15,
    kModeMapSelect = 16,
    kModeTitle = 17,
    kModeAlbum = 18,
    kModeFlashback = 19,
    kModeLogo = 20,
    kModeMusicRoom = 21,
  };
  static constexpr int32_t kWaitForever = 2147483647;

  explicit CGameSystem(IPlatform& platform);
  virtual ~CGameSystem();
  CGameSystem(const CGameSystem&) = delete;
  CGameSystem& operator=(const CGameSystem&) = delete;

  // Life cycle.
  // Starts every subsystem; with openingFlow the opening script or the logo sequence begins, without
  // it the engine waits in mode 0 for StartNewGame.
  bool Startup(bool openingFlow = true);
  void Shutdown();
  void ResetGame();
  // A close request: asks "終了しますか？" unless quit was already chosen (or ask is false), and on yes
  // resets the game and shuts the engine down.
  bool QueryQuit(bool ask = true);
  // Starts a new game at a script (and label), as the title's start item does; false when the script
  // could not be opened (reported).
  bool StartNewGame(const std::string& script, const std::string& label);
  // The scenario ran out: back to the flashback screen after a replay, else the title.
  void OnScenarioEnded();
  // Plays the opening movie named by the settings (a PSS stream is passed over); true when one was
  // started, even if its file then could not be played (the title follows then).
  bool PlayOpeningMovie();
  // Plays a movie file (a data path) in mode 15; a PSS stream is passed over. A file that cannot be
  // played is reported and ends the movie at once.
  void PlayMovie(const std::string& name);
  // Leaves mode 15: back to the script, or to the title when no script is loaded.
  void EndMovie();
  // The movie while mode 15 lasts, else null.
  CMoviePlayback* Movie() { return movie.get(); }
  // Screen effect off, mode 0, the choice window hidden and the lists emptied.
  void ResetScene();
  // The game is reset; the title follows, or the flashback screen after a replay.
  void ReturnToTitle();
  // The end of a replay: back to the flashback screen, or the title when it cannot be built.
  void ReturnToFlashback();

  // Saves and loads: slot 0 and above are "save%d.dat", -1 the quick save, -2 the ring of
  // previous-choice snapshots. Both trace their result.
  bool SaveGame(int32_t slot);
  bool LoadGame(int32_t slot);
  bool HasQuickSave() const;
  // A snapshot taken at a choice is there to return to.
  bool HasPreviousChoice() const;
  // Slot summaries, thumbnails, the snapshot ring and the last slot used.
  CGameSaves& Saves() { return *saves; }
  // Draws the game screen whole into the screen buffer as it looks without menus and without the
  // cursor (the thumbnail of a save); nothing is presented.
  void DrawGameScreen();

  // The frame clock; Tick returns 0 when nothing can run (inactive, hidden or no display).
  int32_t Tick(int32_t x, int32_t y);
  // How long the player may wait for input before the next frame is due.
  int32_t MillisecondsToNextTick() const;
  void Update(int32_t delta, int32_t x, int32_t y);
  void Draw(int32_t x, int32_t y);
  void Redraw(int32_t x, int32_t y);
  // Called in every frame after the draw pass and before the screen is shown (the redraw check).
  void SetFrameDrawnHook(std::function<void(int32_t x, int32_t y)> hook) { frameDrawn = std::move(hook); }
  int32_t DiscardElapsedTime();
  void SetInactive(bool flag);
  void SetVisible(bool flag);
  virtual void ToggleScreenMode();

  // Modes.
  void SetMode(int32_t mode);
  int32_t Mode() const { return mode; }
  // The menu layer's state (0 no menu); setting it leaves the old menu and enters the new one.
  void SetMenuState(int32_t state);
  int32_t MenuState() const;
  int32_t WaitLength() const { return waitLength; }
  void SetWaitLength(int32_t ticks) { waitLength = ticks; }
  int32_t WaitElapsed() const { return waitElapsed; }
  void SetWaitElapsed(int32_t ticks) { waitElapsed = ticks; }
  int32_t ChoiceTaken() const { return choiceTaken; }
  void SetChoiceTaken(int32_t value) { choiceTaken = value; }
  int32_t ChoiceHover() const { return choiceHover; }
  void SetChoiceHover(int32_t value) { choiceHover = value; }
  std::vector<SChoice>& Choices() { return choices; }
  std::vector<SClickRegion>& ClickRegions() { return clickRegions; }
  bool HasScreenMode() const { return screenMode != nullptr; }

  // Player flags shared by the menu layer and the message text.
  bool IsSkipping() const { return skipping; }
  void SetSkipping(bool value) { skipping = value; }
  bool IsAutoMode() const { return autoMode; }
  void SetAutoMode(bool value) { autoMode = value; }
  bool IsDemoMode() const { return demoMode; }
  void SetDemoMode(bool value) { demoMode = value; }
  bool IsOpeningRunning() const { return openingRunning; }
  bool IsReplay() const { return replay; }
  void SetReplay(bool value) { replay = value; }
  bool IsApEnabled() const { return apEnabled; }
  void SetApEnabled(bool value) { apEnabled = value; }
  const std::string& MapMusic() const { return mapMusic; }
  void SetMapMusic(const std::string& music) { mapMusic = music; }
  // The taken events of every schedule file; kept in saves, cleared by a new game.
  CDoneMarks& DoneMarks() { return doneMarks; }

  // Input from the main window (game-screen pixels, Windows flags and key codes).
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y);
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y);
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y);
  void OnRButtonDown(uint32_t flags, int32_t x, int32_t y);
  void OnMouseWheel(uint32_t flags, int32_t delta, int32_t x, int32_t y);
  void OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags);
  // Text typed while a text field takes input, and the input method's composition (UTF-8).
  void OnTextInput(const std::string& utf8);
  void OnTextEditing(const std::string& utf8, int32_t cursor);

  CDisplay& Display() { return display; }
  IPlatform& Platform() { return platform; }
  CFrameClock& Clock() { return clock; }
  CGameClock& GameClock() { return gameClock; }
  CVariableStore& Variables() { return variables; }
  CScriptRunner& Script() { return *script; }
  CSoundSystem& Sound() { return *sound; }
  CLayerSet& Layers() { return *layers; }
  CMessageText& Text() { return *text; }
  CMessageWindow& Window() { return *window; }
  CScreenMode* ScreenMode() { return screenMode.get(); }
  CScriptHostAdapter& ScriptHost() { return *scriptHost; }
  CPictureHostAdapter& PictureHost() { return *pictureHost; }
  CInputRouter& Input() { return *input; }
  CMenuLayer& Menu() { return *menu; }
  // The engine's modal dialogs, drawn over everything and given input first while one is open.
  CDialogLayer& Dialogs() { return *dialogs; }
  bool IsVisible() const { return visible; }
  bool IsInactive() const { return inactive; }
  bool IsDisplayReady() const { return displayReady; }
  bool IsStarted() const { return started; }
  // Quit was chosen and has faded out: the main window closes without asking again.
  bool IsQuitRequested() const;
  // No menu is open and the engine waits for the player (click waits, choices, the title): a calm
  // moment for work the player should not notice.
  bool IsWaitingForPlayer() const;
  // Frames that advanced game time so far; the trace numbers frames from 1 by it.
  int64_t FramesRun() const { return framesRun; }

 private:
  // Start-up steps between opening and closing the system log.
  bool StartSubsystems(bool openingFlow);
  void LeaveMode(int32_t oldMode, int32_t newMode);
  void EnterMode(int32_t oldMode, int32_t newMode);
  void OpenOpeningScript();
  void DrawScene(int32_t x, int32_t y);
  void LoadSystemImages();
  void UpdateState(int32_t delta, int32_t x, int32_t y);
  void StartNewGameState();
  // One frame of mode 15: the movie's clock, its picture on the screen, its end.
  void TickMovie();

  IPlatform& platform;
  CDisplay display;
  CFrameClock clock;
  CGameClock gameClock;
  CVariableStore variables;
  std::unique_ptr<CScriptHostAdapter> scriptHost;
  std::unique_ptr<CScriptRunner> script;
  std::unique_ptr<CSoundHostAdapter> soundHost;
  std::unique_ptr<CSoundSystem> sound;
  std::unique_ptr<CPictureHostAdapter> pictureHost;
  std::unique_ptr<CLayerSet> layers;
  std::unique_ptr<CMessageHostAdapter> messageHost;
  std::unique_ptr<CMessageText> text;
  std::unique_ptr<CMessageWindow> window;
  std::unique_ptr<CMenuHostAdapter> menuHost;
  std::unique_ptr<CMenuLayer> menu;
  std::unique_ptr<CDialogLayer> dialogs;
  std::unique_ptr<CInputRouter> input;
  std::unique_ptr<CConfigHostAdapter> configHost;
  std::unique_ptr<CConfigScreen> configScreen;
  std::unique_ptr<CBacklogHostAdapter> backlogHost;
  std::unique_ptr<CBacklogScreen> backlogScreen;
  std::unique_ptr<CSystemDataHostAdapter> systemDataHost;
  std::unique_ptr<CGameSaves> saves;
  std::unique_ptr<CSaveLoadHostAdapter> saveLoadHost;
  std::unique_ptr<CSaveLoadScreen> saveScreen, loadScreen;
  CSurface systemImage;
  CSurface framePicture;
  std::unique_ptr<CAnimation> keyWait;
  SPoint cursor{0, 0};
  std::unique_ptr<CScreenMode> screenMode;
  std::unique_ptr<CMoviePlayback> movie;
  std::string movieName;
  std::function<void(int32_t, int32_t)> frameDrawn;

  bool started = false;
  bool visible = false;
  bool displayReady = false;
  bool inactive = false;
  bool fullRedraw = false;
  int64_t framesRun = 0;

  int32_t mode = kModeScript;
  int32_t waitLength = 0;
  int32_t waitElapsed = 0;
  int32_t choiceHover = -1;
  int32_t choiceTaken = -1;
  std::vector<SChoice> choices;
  std::vector<SClickRegion> clickRegions;

  bool skipping = false;
  bool autoMode = false;
  bool demoMode = false;
  bool replay = false;
  bool openingRunning = false;
  bool apEnabled = false;
  std::string mapMusic;
  CDoneMarks doneMarks;
};

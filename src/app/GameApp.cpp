#include "app/GameApp.h"

#include <cstdio>

#include "app/TextHook.h"
#include "app/WindowPrefs.h"
#include "gfx/PngWriter.h"
#include "io/Path.h"
#include "io/SystemLog.h"
#include "io/Trace.h"
#include "persist/Settings.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"

int CGameApp::Run(const CCommandLine& commandLine) {
  options = &commandLine;
  if (!InitInstance()) return anotherInstance ? 0 : 1;
  if (commandLine.checkRedraw) InstallRedrawCheck();
  if (commandLine.textHook) CTextHook::Attach(frame->Game(), stdout);
  return commandLine.headless ? RunHeadless() : RunWindowed();
}

void CGameApp::InstallRedrawCheck() {
  CGameSystem& game = frame->Game();
  game.SetFrameDrawnHook([this, &game](int32_t x, int32_t y) {
    if (redrawDiffers) return;
    const std::optional<SRect> rect = redrawCheck.Check(game.Display(), [&game, x, y] { game.Draw(x, y); });
    if (!rect) return;
    redrawDiffers = true;
    CTrace::Event("redraw",
                  {{"x", rect->left}, {"y", rect->top}, {"w", rect->Width()}, {"h", rect->Height()}});
    std::fprintf(stderr,
                 "zel: frame %lld drawn over its dirty spans differs from a full redraw at %d,%d %dx%d\n",
                 CTrace::Frame(), rect->left, rect->top, rect->Width(), rect->Height());
  });
}

int CGameApp::ExitStatus() const {
  if (startupFailed || shotFailed) return 1;
  return redrawDiffers ? 3 : 0;
}

std::string CGameApp::BundledGame(IFileSystem& files) {
  // The build tree has the sample game next to the player; an installed player has it under share/.
  const std::string built = files.ExecutableDirectory() + "/sample-game";
  if (files.DirectoryExists(built)) return built;
  return files.ExecutableDirectory() + "/" + ZEL_INSTALLED_SAMPLE;
}

bool CGameApp::InitInstance() {
  IPlatform& platform = ThePlatform();
  const std::string gameDir = options->gameDir.empty() ? BundledGame(platform.Files()) : options->gameDir;
  if (!SetExeDirectoryCurrent(gameDir)) {
    std::fprintf(stderr, "zel: cannot enter the game folder %s\n", gameDir.c_str());
    return false;
  }
  // A headless run is repeatable: unless a save folder is given it neither reads nor keeps the
  // player's saves and system.dat, but saves into a folder of its own that goes away at exit.
  if (!options->saveDir.empty())
    settings::SetSaveDirectoryOverride(options->saveDir);
  else if (options->headless)
    settings::SetSaveDirectoryOverride(headlessSaves.Create("zel-saves"));
  frame = std::make_unique<CMainFrame>(platform);
  if (!settings::LoadSettings()) return false;
  if (options->fullscreen) settings::SetFullScreen(*options->fullscreen);
  CSystemLog::SetFallbackFolder(settings::SaveDirectory());
  platform.Input().SetGamepadKeys({settings::ShortcutKeys().Get("オート").key});
  if (!options->headless) {
    SWindowPlacement placement = CWindowPrefs::Load();
    if (options->scaling) placement.scaling = *options->scaling;
    platform.Window().SetPlacement(placement);
  }
  const CMainFrame::ECreateResult result = frame->Create(!options->headless);
  anotherInstance = result == CMainFrame::ECreateResult::kAnotherInstance;
  return result == CMainFrame::ECreateResult::kCreated;
}

bool CGameApp::OnIdle() {
  CGameSystem& game = frame->Game();
  if (!engineStarted) {
    engineStarted = true;
    // --start skips the start-up flow (opening script or logos, movie, title) altogether.
    const bool direct = !options->startScript.empty();
    if (game.Startup(!direct) && (!direct || game.StartNewGame(options->startScript, options->startLabel)))
      return true;
    // The engine could not start (no display, or no script to start): close without asking.
    startupFailed = true;
    frame->Close();
    return false;
  }
  const SPoint cursor = ThePlatform().Input().GetCursorPos();
  const bool busy = game.Tick(cursor.x, cursor.y) != 0;
  if (game.IsQuitRequested()) {
    SPlatformEvent close;
    close.type = EEventType::kClose;
    frame->Dispatch(close);
  }
  return busy;
}

int CGameApp::RunWindowed() {
  IEventSource& events = ThePlatform().Events();
  while (!frame->IsClosed()) {
    // Events between frames, and the frame that may run next, carry the next frame's number.
    CTrace::SetFrame(engineStarted ? frame->Game().FramesRun() + 1 : 0);
    SPlatformEvent event;
    while (events.PollEvent(event) && frame->Dispatch(event)) {
    }
    if (frame->IsClosed()) break;
    // Between frames the player sleeps until the next tick is due or an event arrives.
    const bool running = OnIdle();
    if (!frame->IsClosed()) events.WaitEvent(running ? frame->Game().MillisecondsToNextTick() : 20);
  }
  if (!CWindowPrefs::Save(ThePlatform().Window().Placement()))
    std::fprintf(stderr, "zel: cannot keep the window size in %s\n", CWindowPrefs::Path().c_str());
  return ExitStatus();
}

int CGameApp::RunHeadless() {
  auto& headless = static_cast<CHeadlessPlatform&>(ThePlatform());
  IEventSource& events = headless.Events();
  OnIdle();  // start-up, before frame 1, at time 0
  for (int64_t n = 1; !frame->IsClosed() && !redrawDiffers; ++n) {
    if (options->frames >= 0 && n > options->frames) break;
    CTrace::SetFrame(n);
    headless.BeginFrame(n);
    SPlatformEvent event;
    while (!frame->IsClosed() && events.PollEvent(event)) frame->Dispatch(event);
    if (frame->IsClosed()) break;
    headless.AdvanceClock(n);
    OnIdle();
    WriteShots(n);
  }
  return ExitStatus();
}

void CGameApp::WriteShots(int64_t n) {
  CDisplay& display = frame->Game().Display();
  for (const CCommandLine::SShot& shot : options->shots) {
    if (shot.frame != n || !display.Pixels()) continue;
    if (!CPngWriter::Write(shot.file, display.Pixels(), display.Width(), display.Height(), display.Width(),
                           false)) {
      std::fprintf(stderr, "zel: cannot write %s\n", shot.file.c_str());
      shotFailed = true;
    }
  }
}

#pragma once
#include <memory>
#include <string>

#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/RedrawCheck.h"
#include "io/ScratchFolder.h"

class IFileSystem;

// The application: sets up the process, creates the main window and runs frames from the idle loop.
class CGameApp {
 public:
  // Exit status: 0 when the game quits or the frame limit is reached, 1 when start-up fails (or a
  // screenshot could not be written), 3 when the redraw check found a difference.
  int Run(const CCommandLine& commandLine);

 private:
  // The sample game played without a game folder.
  static std::string BundledGame(IFileSystem& files);
  // False when the process ends here: start-up failed, or another copy of the game runs.
  bool InitInstance();
  // The idle call: the first one starts the engine; later ones run a frame. False lets the loop
  // wait for the next message.
  bool OnIdle();
  int RunWindowed();
  int RunHeadless();
  void WriteShots(int64_t frame);
  // With --check-redraw: every frame is compared with a full redraw before it is shown.
  void InstallRedrawCheck();
  int ExitStatus() const;

  const CCommandLine* options = nullptr;
  // The save folder of a headless run without --save-dir; it outlives the engine.
  CScratchFolder headlessSaves;
  std::unique_ptr<CMainFrame> frame;
  CRedrawCheck redrawCheck;
  bool redrawDiffers = false;
  bool shotFailed = false;
  bool engineStarted = false;
  bool startupFailed = false;
  bool anotherInstance = false;
};

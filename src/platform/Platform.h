#pragma once
#include <memory>
#include <string>

#include "platform/AudioDevice.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Events.h"
#include "platform/FileSystem.h"
#include "platform/FontRasterizer.h"
#include "platform/Input.h"
#include "platform/MoviePlayer.h"
#include "platform/Random.h"
#include "platform/Window.h"

// One backend object gathers the services; the engine asks for each by interface.
class IPlatform {
 public:
  virtual ~IPlatform() = default;
  virtual const char* Name() const = 0;
  virtual IClock& Clock() = 0;
  virtual IWindow& Window() = 0;
  virtual IEventSource& Events() = 0;
  virtual IInput& Input() = 0;
  virtual IDialogs& Dialogs() = 0;
  virtual IFileSystem& Files() = 0;
  virtual IAudioDevice& Audio() = 0;
  virtual IClipboard& Clipboard() = 0;
  virtual IMoviePlayer& Movies() = 0;
  CRandom& Random() { return random; }
  // The font rasteriser, opened on first use; null when no font service can start.
  IFontRasterizer* Fonts();
  // Claims the one-copy-per-game rule for a window class and title; false when another copy runs
  // (that copy has been asked to raise its window).
  virtual bool AcquireSingleInstance(const std::string& /*windowClass*/, const std::string& /*title*/) {
    return true;
  }

 private:
  CRandom random;
  std::unique_ptr<IFontRasterizer> fonts;
  bool fontsTried = false;
};

struct SPlatformOptions {
  int scale = 0;            // window: integer scale, 0 to fit the desktop
  std::string inputScript;  // headless: scripted input file
  bool defaultYes = true;   // headless: answer to Yes/No boxes
  std::string audioOut;     // headless: WAV file for the mixed sound
};

// Creates a backend by name ("sdl" or "headless"); null with a message in error when it cannot start.
std::unique_ptr<IPlatform> CreatePlatform(const std::string& name, const SPlatformOptions& options,
                                          std::string& error);

// The process-wide backend, installed once by the application before anything else runs.
IPlatform& ThePlatform();
void InstallPlatform(std::unique_ptr<IPlatform> platform);
bool HasPlatform();

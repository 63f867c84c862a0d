#pragma once
#include "platform/Platform.h"
#include "platform/PosixFileSystem.h"
#include "platform/SingleInstance.h"
#include "platform/movie/FfmpegMoviePlayer.h"
#include "platform/sdl/SdlAudioDevice.h"
#include "platform/sdl/SdlClipboard.h"
#include "platform/sdl/SdlClock.h"
#include "platform/sdl/SdlDialogs.h"
#include "platform/sdl/SdlInput.h"
#include "platform/sdl/SdlWindow.h"

// The real desktop backend on SDL2.
class CSdlPlatform : public IPlatform {
 public:
  explicit CSdlPlatform(int scale);
  ~CSdlPlatform() override;
  // Initialises SDL's video and event subsystems; false with a message when that fails or when no
  // display is available.
  bool Init(std::string& error);

  const char* Name() const override { return "sdl"; }
  IClock& Clock() override { return clock; }
  IWindow& Window() override { return window; }
  IEventSource& Events() override { return input; }
  IInput& Input() override { return input; }
  IDialogs& Dialogs() override { return dialogs; }
  IFileSystem& Files() override { return files; }
  IAudioDevice& Audio() override { return audio; }
  IClipboard& Clipboard() override { return clipboard; }
  IMoviePlayer& Movies() override { return movies; }
  bool AcquireSingleInstance(const std::string& windowClass, const std::string& title) override {
    return instance.Acquire(windowClass, title);
  }

 private:
  // Whether SDL's video driver shows a window somewhere.
  static bool HasDisplay();

  bool initialised = false;
  CSdlClock clock;
  CSdlWindow window;
  CSingleInstance instance;
  CSdlInput input;
  CSdlDialogs dialogs;
  CPosixFileSystem files;
  CSdlAudioDevice audio;
  CSdlClipboard clipboard;
  CFfmpegMoviePlayer movies{false};
};

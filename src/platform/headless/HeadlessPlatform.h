#pragma once
#include <memory>

#include "platform/Platform.h"
#include "platform/PosixFileSystem.h"
#include "platform/headless/HeadlessClipboard.h"
#include "platform/headless/HeadlessClock.h"
#include "platform/headless/HeadlessDialogs.h"
#include "platform/headless/HeadlessInput.h"
#include "platform/headless/HeadlessWindow.h"
#include "platform/movie/FfmpegMoviePlayer.h"

// The deterministic backend for tests and automation: no window, no sound card, one tick per frame,
// input from a script, message boxes answered from options.
class CHeadlessAudioDevice;

class CHeadlessPlatform : public IPlatform {
 public:
  CHeadlessPlatform(CInputScript script, bool defaultYes);
  ~CHeadlessPlatform() override;
  // Writes the mixed sound to a WAV file from now on; false when it cannot be created.
  bool OpenAudioOutput(const std::string& path);
  // Completes the WAV file; false when any write failed.
  bool CloseAudioOutput();

  const char* Name() const override { return "headless"; }
  IClock& Clock() override { return clock; }
  IWindow& Window() override { return window; }
  IEventSource& Events() override { return input; }
  IInput& Input() override { return input; }
  IDialogs& Dialogs() override { return dialogs; }
  IFileSystem& Files() override { return files; }
  IAudioDevice& Audio() override;
  IClipboard& Clipboard() override { return clipboard; }
  IMoviePlayer& Movies() override { return movies; }

  // Queues frame n's scripted input. The clock still reads the previous frame's time while the
  // input is handled, so time discarded by the input's work never swallows frame n's tick.
  void BeginFrame(int64_t frame);
  // Sets the clock to frame n and mixes the sound up to it, just before the frame runs.
  void AdvanceClock(int64_t frame);
  CHeadlessWindow& HeadlessWindow() { return window; }
  CHeadlessDialogs& HeadlessDialogs() { return dialogs; }

 private:
  CHeadlessClock clock;
  CHeadlessWindow window;
  CHeadlessDialogs dialogs;
  CHeadlessInput input;
  CPosixFileSystem files;
  CHeadlessClipboard clipboard;
  CFfmpegMoviePlayer movies{true};
  std::unique_ptr<CHeadlessAudioDevice> audio;
};

#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/AudioDevice.h"
#include "platform/sdl/SdlAudioDevice.h"

// The sound output of headless runs: no sound card; the play cursors advance with the
// deterministic clock, and the mix can be written to a RIFF WAVE file (44100 Hz, 16-bit stereo).
class CHeadlessAudioDevice : public IAudioDevice {
 public:
  CHeadlessAudioDevice() = default;
  CHeadlessAudioDevice(const CHeadlessAudioDevice&) = delete;
  CHeadlessAudioDevice& operator=(const CHeadlessAudioDevice&) = delete;
  ~CHeadlessAudioDevice() override;

  // Starts writing the mix to path; false when the file cannot be created.
  bool OpenOutput(const std::string& path);
  // Completes the file's header; false when any write failed.
  bool CloseOutput();

  // Mixes up to the output frame that corresponds to the clock's millisecond count; called by the
  // headless platform once per frame. Segment notifications are delivered on the calling thread.
  void AdvanceTo(uint32_t milliseconds);
  uint64_t FramesMixed() const { return framesMixed; }

  std::unique_ptr<IAudioBuffer> CreateBuffer(const SAudioFormat& format, uint32_t segmentBytes,
                                             std::function<void()> onSegmentEnd) override;
  bool IsRealTime() const override { return false; }

 private:
  void WriteHeader(uint32_t dataBytes);

  CSdlAudioDevice mixer;  // used without an output device
  std::vector<int16_t> chunk;
  uint64_t framesMixed = 0;
  FILE* file = nullptr;
  uint64_t bytesWritten = 0;
  bool writeFailed = false;
};

#pragma once
#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/AudioDevice.h"

// The mixer behind the sound output: every playing buffer is converted to 44100 Hz 16-bit stereo
// through its own SDL audio stream, scaled by its volume and summed. Open() feeds the mix to the
// SDL output device from SDL's audio thread; when there is no device, a thread of its own pulls the
// mix at the same pace into nothing, so sounds still end and the game never waits for them forever.
// Without Open() the mix is pulled with Mix().
class CSdlAudioDevice : public IAudioDevice {
 public:
  static constexpr uint32_t kOutputRate = 44100;
  static constexpr uint32_t kOutputChannels = 2;

  CSdlAudioDevice() = default;
  CSdlAudioDevice(const CSdlAudioDevice&) = delete;
  CSdlAudioDevice& operator=(const CSdlAudioDevice&) = delete;
  ~CSdlAudioDevice() override;

  // Opens the default output device; false (with SDL's reason on standard error) when there is none
  // and the mix runs silently.
  bool Open();
  void Close();

  std::unique_ptr<IAudioBuffer> CreateBuffer(const SAudioFormat& format, uint32_t segmentBytes,
                                             std::function<void()> onSegmentEnd) override;
  bool IsRealTime() const override { return true; }

  // Writes frames of interleaved stereo samples and advances the play cursors; the notifications of
  // the segments passed are called afterwards, outside the device's lock.
  void Mix(int16_t* output, uint32_t frames);

 private:
  class CBuffer;
  friend class CBuffer;

  static void AudioCallback(void* self, Uint8* stream, int length);
  bool OpenOutput();
  void RunSilentClock();

  std::mutex mutex;  // guards every buffer's bytes, cursor, state and volume
  std::vector<CBuffer*> buffers;
  std::vector<int32_t> accumulator;
  std::vector<int16_t> converted;
  std::vector<std::function<void()>> notifications;
  SDL_AudioDeviceID output = 0;
  std::thread silentClock;
  std::atomic<bool> stopSilentClock = false;
};

#include "platform/sdl/SdlAudioDevice.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr uint32_t kOutputFrameBytes = CSdlAudioDevice::kOutputChannels * 2;
constexpr uint16_t kCallbackFrames = 1024;

// Volume as a 16.16 factor; integer mixing keeps the output identical on every run.
int32_t GainOf(int32_t hundredthsOfDecibel) {
  if (hundredthsOfDecibel <= IAudioBuffer::kSilent) return 0;
  return static_cast<int32_t>(std::lround(65536.0 * std::pow(10.0, hundredthsOfDecibel / 2000.0)));
}

}  // namespace

class CSdlAudioDevice::CBuffer : public IAudioBuffer {
 public:
  CBuffer(CSdlAudioDevice& owner, SDL_AudioStream* s, const SAudioFormat& f, uint32_t segment,
          std::function<void()> notify)
      : device(owner),
        stream(s),
        format(f),
        segmentBytes(segment),
        bytes(size_t{segment} * kSegments, f.bitsPerSample == 8 ? 0x80 : 0),
        onSegmentEnd(std::move(notify)) {
    std::lock_guard lock(device.mutex);
    device.buffers.push_back(this);
  }
  ~CBuffer() override {
    std::lock_guard lock(device.mutex);
    std::erase(device.buffers, this);
    SDL_FreeAudioStream(stream);
  }

  uint32_t GetSize() const override { return static_cast<uint32_t>(bytes.size()); }
  bool Write(uint32_t offset, const uint8_t* data, uint32_t count) override {
    if (offset > bytes.size() || count > bytes.size() - offset) return false;
    std::lock_guard lock(device.mutex);
    std::memcpy(bytes.data() + offset, data, count);
    return true;
  }
  void Play() override {
    std::lock_guard lock(device.mutex);
    if (playing) return;
    playing = true;
    playStart = heard;
    framesOut = 0;
  }
  void Stop() override {
    std::lock_guard lock(device.mutex);
    playing = false;
    // What the stream still held was never heard; playback resumes at the cursor.
    SDL_AudioStreamClear(stream);
    fed = heard;
  }
  bool IsPlaying() const override {
    std::lock_guard lock(device.mutex);
    return playing;
  }
  uint32_t GetPlayCursor() const override {
    std::lock_guard lock(device.mutex);
    return static_cast<uint32_t>(heard % bytes.size());
  }
  void SetVolume(int32_t v) override {
    std::lock_guard lock(device.mutex);
    volume = std::clamp(v, kSilent, 0);
    gain = GainOf(volume);
  }
  int32_t GetVolume() const override {
    std::lock_guard lock(device.mutex);
    return volume;
  }

  // Adds frames of this buffer to the accumulator and queues the notifications of the segment ends
  // the play cursor passed (device lock held).
  void MixInto(int32_t* accumulator, uint32_t frames, std::vector<int16_t>& scratch,
               std::vector<std::function<void()>>& notifications) {
    if (!playing) return;
    const int wanted = static_cast<int>(frames * kOutputFrameBytes);
    for (int available = SDL_AudioStreamAvailable(stream); available < wanted;
         available = SDL_AudioStreamAvailable(stream)) {
      if (!Feed(static_cast<uint32_t>(wanted - available) / kOutputFrameBytes + 1)) break;
    }
    scratch.resize(size_t{frames} * kOutputChannels);
    const int got = std::max(SDL_AudioStreamGet(stream, scratch.data(), wanted), 0);
    const size_t samples = static_cast<size_t>(got) / 2;
    for (size_t i = 0; i < samples; ++i) accumulator[i] += (scratch[i] * gain) >> 16;
    Advance(samples / kOutputChannels, notifications);
  }

 private:
  // Puts the bytes from the feed position on, at most what the missing output frames need, into
  // the stream. The resampler holds some of them back, so the feed runs ahead of the play cursor.
  bool Feed(uint32_t missingFrames) {
    const uint32_t align = format.BlockAlign();
    const uint64_t needFrames =
        (uint64_t{missingFrames} * format.samplesPerSecond + kOutputRate - 1) / kOutputRate;
    const uint32_t at = static_cast<uint32_t>(fed % bytes.size());
    const uint32_t count = static_cast<uint32_t>(
        std::min<uint64_t>(bytes.size() - at, std::max<uint64_t>(needFrames, 1) * align));
    if (SDL_AudioStreamPut(stream, bytes.data() + at, static_cast<int>(count)) != 0) return false;
    fed += count;
    return true;
  }

  // The play cursor follows the output frames heard since Play, converted back to this buffer's rate.
  void Advance(size_t outputFrames, std::vector<std::function<void()>>& notifications) {
    framesOut += outputFrames;
    const uint64_t played = framesOut * format.samplesPerSecond / kOutputRate * format.BlockAlign();
    const uint64_t now = std::min(playStart + played, fed);
    for (uint64_t end = (heard / segmentBytes + 1) * segmentBytes; end <= now; end += segmentBytes) {
      notifications.push_back(onSegmentEnd);
    }
    heard = std::max(heard, now);
  }

  CSdlAudioDevice& device;
  SDL_AudioStream* stream;
  const SAudioFormat format;
  const uint32_t segmentBytes;
  std::vector<uint8_t> bytes;
  const std::function<void()> onSegmentEnd;
  // Positions in bytes counted from creation without wrapping; the cursor is heard modulo the size.
  uint64_t fed = 0;
  uint64_t heard = 0;
  uint64_t playStart = 0;
  uint64_t framesOut = 0;  // output frames produced since Play
  bool playing = false;
  int32_t volume = 0;
  int32_t gain = 65536;
};

CSdlAudioDevice::~CSdlAudioDevice() { Close(); }

bool CSdlAudioDevice::Open() {
  if (output || silentClock.joinable()) return output != 0;
  if (OpenOutput()) return true;
  std::fprintf(stderr, "zel: no sound output: %s\n", SDL_GetError());
  stopSilentClock = false;
  silentClock = std::thread(&CSdlAudioDevice::RunSilentClock, this);
  return false;
}

bool CSdlAudioDevice::OpenOutput() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec want{};
  want.freq = kOutputRate;
  want.format = AUDIO_S16LSB;
  want.channels = kOutputChannels;
  want.samples = kCallbackFrames;
  want.callback = AudioCallback;
  want.userdata = this;
  output = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
  if (!output) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  SDL_PauseAudioDevice(output, 0);
  return true;
}

void CSdlAudioDevice::Close() {
  if (silentClock.joinable()) {
    stopSilentClock = true;
    silentClock.join();
  }
  if (!output) return;
  SDL_CloseAudioDevice(output);
  output = 0;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::unique_ptr<IAudioBuffer> CSdlAudioDevice::CreateBuffer(const SAudioFormat& format, uint32_t segmentBytes,
                                                            std::function<void()> onSegmentEnd) {
  const bool sampleFormatOk = format.bitsPerSample == 8 || format.bitsPerSample == 16;
  if (!sampleFormatOk || format.channels < 1 || format.channels > 8 || format.samplesPerSecond == 0 ||
      segmentBytes == 0 || segmentBytes % format.BlockAlign() != 0 ||
      segmentBytes > UINT32_MAX / IAudioBuffer::kSegments) {
    return nullptr;
  }
  SDL_AudioStream* stream = SDL_NewAudioStream(
      format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB, static_cast<Uint8>(format.channels),
      static_cast<int>(format.samplesPerSecond), AUDIO_S16LSB, kOutputChannels, kOutputRate);
  if (!stream) return nullptr;
  return std::make_unique<CBuffer>(*this, stream, format, segmentBytes, std::move(onSegmentEnd));
}

void CSdlAudioDevice::Mix(int16_t* out, uint32_t frames) {
  std::vector<std::function<void()>> passed;
  {
    std::lock_guard lock(mutex);
    accumulator.assign(size_t{frames} * kOutputChannels, 0);
    for (CBuffer* buffer : buffers) buffer->MixInto(accumulator.data(), frames, converted, notifications);
    for (size_t i = 0; i < accumulator.size(); ++i) {
      out[i] = static_cast<int16_t>(std::clamp(accumulator[i], -32768, 32767));
    }
    passed.swap(notifications);
  }
  for (const auto& notify : passed) {
    if (notify) notify();
  }
}

void CSdlAudioDevice::RunSilentClock() {
  std::vector<int16_t> discarded;
  const Uint64 start = SDL_GetTicks64();
  uint64_t mixed = 0;
  while (!stopSilentClock) {
    const uint64_t due = (SDL_GetTicks64() - start) * kOutputRate / 1000;
    const uint32_t frames = static_cast<uint32_t>(std::min<uint64_t>(due - mixed, kCallbackFrames * 4));
    discarded.resize(size_t{frames} * kOutputChannels);
    if (frames) Mix(discarded.data(), frames);
    mixed += frames;
    SDL_Delay(10);
  }
}

void CSdlAudioDevice::AudioCallback(void* self, Uint8* stream, int length) {
  static_cast<CSdlAudioDevice*>(self)->Mix(reinterpret_cast<int16_t*>(stream),
                                           static_cast<uint32_t>(length) / kOutputFrameBytes);
}

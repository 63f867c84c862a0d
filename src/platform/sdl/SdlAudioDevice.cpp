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
      : device(owner), stream(s), format(f), segmentBytes(segment),
        bytes(size_t{segment} * kSegments, f.bitsPerSample == 8 ? 0x80 : 0), onSegmentEnd(std::move(notify)) {
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
    playing = true;
  }
  void Stop() override {
    std::lock_guard lock(device.mutex);
    playing = false;
    SDL_AudioStreamClear(stream);
  }
  bool IsPlaying() const override {
    std::lock_guard lock(device.mutex);
    return playing;
  }
  uint32_t GetPlayCursor() const override {
    std::lock_guard lock(device.mutex);
    return cursor;
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

  // Adds frames of this buffer to the accumulator (device lock held).
  void MixInto(int32_t* accumulator, uint32_t frames, std::vector<int16_t>& scratch,
               std::vector<std::function<void()>>& notifications) {
    if (!playing) return;
    const int wanted = static_cast<int>(frames * kOutputFrameBytes);
    while (SDL_AudioStreamAvailable(stream) < wanted) {
      if (!Feed(frames, notifications)) break;
    }
    scratch.resize(size_t{frames} * kOutputChannels);
    const int got = std::max(SDL_AudioStreamGet(stream, scratch.data(), wanted), 0);
    const size_t samples = static_cast<size_t>(got) / 2;
    for (size_t i = 0; i < samples; ++i) accumulator[i] += (scratch[i] * gain) >> 16;
  }

private:
  // Puts the bytes from the cursor up to the next segment end (at most what the output still needs)
  // into the stream, and queues the segment's notification when its end is passed.
  bool Feed(uint32_t outputFrames, std::vector<std::function<void()>>& notifications) {
    const uint32_t align = format.BlockAlign();
    const uint64_t needFrames = uint64_t{outputFrames} * format.samplesPerSecond / kOutputRate + 16;
    const uint32_t segmentEnd = (cursor / segmentBytes + 1) * segmentBytes;
    const uint32_t count =
        static_cast<uint32_t>(std::min<uint64_t>(segmentEnd - cursor, needFrames * align) / align * align);
    if (count == 0 || SDL_AudioStreamPut(stream, bytes.data() + cursor, static_cast<int>(count)) != 0) return false;
    cursor += count;
    if (cursor == segmentEnd) {
      notifications.push_back(onSegmentEnd);
      if (cursor == bytes.size()) cursor = 0;
    }
    return true;
  }

  CSdlAudioDevice& device;
  SDL_AudioStream* stream;
  const SAudioFormat format;
  const uint32_t segmentBytes;
  std::vector<uint8_t> bytes;
  const std::function<void()> onSegmentEnd;
  uint32_t cursor = 0;
  bool playing = false;
  int32_t volume = 0;
  int32_t gain = 65536;
};

CSdlAudioDevice::~CSdlAudioDevice() { Close(); }

bool CSdlAudioDevice::Open() {
  if (output) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "zel: no sound output: %s\n", SDL_GetError());
    return false;
  }
  SDL_AudioSpec want{};
  want.freq = kOutputRate;
  want.format = AUDIO_S16LSB;
  want.channels = kOutputChannels;
  want.samples = kCallbackFrames;
  want.callback = AudioCallback;
  want.userdata = this;
  output = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
  if (!output) {
    std::fprintf(stderr, "zel: no sound output: %s\n", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  SDL_PauseAudioDevice(output, 0);
  return true;
}

void CSdlAudioDevice::Close() {
  if (!output) return;
  SDL_CloseAudioDevice(output);
  output = 0;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::unique_ptr<IAudioBuffer> CSdlAudioDevice::CreateBuffer(const SAudioFormat& format, uint32_t segmentBytes,
                                                            std::function<void()> onSegmentEnd) {
  const bool sampleFormatOk = format.bitsPerSample == 8 || format.bitsPerSample == 16;
  if (!sampleFormatOk || format.channels < 1 || format.channels > 8 || format.samplesPerSecond == 0 ||
      segmentBytes == 0 || segmentBytes % format.BlockAlign() != 0 || segmentBytes > UINT32_MAX / IAudioBuffer::kSegments) {
    return nullptr;
  }
  SDL_AudioStream* stream =
      SDL_NewAudioStream(format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB, static_cast<Uint8>(format.channels),
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

void CSdlAudioDevice::AudioCallback(void* self, Uint8* stream, int length) {
  static_cast<CSdlAudioDevice*>(self)->Mix(reinterpret_cast<int16_t*>(stream),
                                           static_cast<uint32_t>(length) / kOutputFrameBytes);
}

#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include "SoundTestHost.h"
#include "platform/sdl/SdlAudioDevice.h"

namespace {

// Counts refills that arrive too late: the play cursor already inside the segment being written.
class CCheckedBuffer : public IAudioBuffer {
 public:
  CCheckedBuffer(std::unique_ptr<IAudioBuffer> b, std::atomic<int>& late, std::atomic<int>& writes)
      : inner(std::move(b)), lateWrites(late), allWrites(writes) {}
  uint32_t GetSize() const override { return inner->GetSize(); }
  bool Write(uint32_t offset, const uint8_t* bytes, uint32_t count) override {
    const uint32_t cursor = inner->GetPlayCursor();
    if (inner->IsPlaying() && cursor >= offset && cursor < offset + count && count < GetSize()) ++lateWrites;
    ++allWrites;
    return inner->Write(offset, bytes, count);
  }
  void Play() override { inner->Play(); }
  void Stop() override { inner->Stop(); }
  bool IsPlaying() const override { return inner->IsPlaying(); }
  uint32_t GetPlayCursor() const override { return inner->GetPlayCursor(); }
  void SetVolume(int32_t v) override { inner->SetVolume(v); }
  int32_t GetVolume() const override { return inner->GetVolume(); }

 private:
  std::unique_ptr<IAudioBuffer> inner;
  std::atomic<int>& lateWrites;
  std::atomic<int>& allWrites;
};

class CCheckedDevice : public IAudioDevice {
 public:
  std::unique_ptr<IAudioBuffer> CreateBuffer(const SAudioFormat& format, uint32_t segmentBytes,
                                             std::function<void()> onSegmentEnd) override {
    auto buffer = sdl.CreateBuffer(format, segmentBytes, std::move(onSegmentEnd));
    if (!buffer) return nullptr;
    return std::make_unique<CCheckedBuffer>(std::move(buffer), lateWrites, writes);
  }
  bool IsRealTime() const override { return true; }

  CSdlAudioDevice sdl;
  std::atomic<int> lateWrites = 0;
  std::atomic<int> writes = 0;
};

}  // namespace

// All five channels stream through the real SDL output (the dummy driver in CI) while the message
// thread changes volumes and restarts sounds. ZEL_AUDIO_SOAK_SECONDS makes it a long run.
TEST(SoundSoak, EveryChannelStaysFedOnTheRealDevice) {
  CCheckedDevice device;
  if (!device.sdl.Open()) GTEST_SKIP() << "no SDL audio driver";
  const char* env = std::getenv("ZEL_AUDIO_SOAK_SECONDS");
  const Uint32 seconds = env ? static_cast<Uint32>(std::atoi(env)) : 3;
  CSoundTestHost host;
  CSoundSystem sound(host);
  std::map<std::string, std::vector<uint8_t>> files;
  for (int rate : {44100, 22050, 11025, 32000, 48000}) {
    std::vector<int16_t> samples(static_cast<size_t>(rate) / 3 * 2, 100);
    files[std::to_string(rate)] = CWaveFile::Build(SWaveFormat::Pcm16(2, rate), samples);
  }
  sound.SetSourceLoader([&](const std::string& name) { return CSoundSource::FromMemory(files.at(name)); });
  sound.InitSound(device);
  const char* names[5] = {"44100", "22050", "11025", "32000", "48000"};
  for (int c = 0; c < 5; ++c) sound.PlaySound(names[c], c, true, false, 0);
  const Uint32 start = SDL_GetTicks();
  for (int frame = 0; SDL_GetTicks() - start < seconds * 1000; ++frame) {
    sound.UpdateSoundFades(1);
    sound.SetChannelVolume(frame % 5, 128 + frame % 128);
    if (frame % 200 == 0) sound.PlaySound(names[(frame / 200) % 5], 0, true, false, 10);
    SDL_Delay(16);
  }
  for (int c = 0; c < 5; ++c) EXPECT_TRUE(sound.IsChannelPlaying(c)) << c;
  sound.ShutdownSound();
  EXPECT_GT(device.writes.load(), static_cast<int>(seconds) * 5);
  EXPECT_EQ(device.lateWrites.load(), 0);
}

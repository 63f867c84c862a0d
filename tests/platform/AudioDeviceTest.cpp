#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/headless/HeadlessAudioDevice.h"
#include "platform/sdl/SdlAudioDevice.h"

namespace {

const SAudioFormat kCd{2, 44100, 16};

std::vector<uint8_t> Pattern(uint32_t bytes) {
  std::vector<uint8_t> out(bytes);
  for (uint32_t i = 0; i < bytes / 2; ++i) {
    const int16_t v = static_cast<int16_t>((i * 37) % 20000 - 10000);
    out[2 * i] = static_cast<uint8_t>(v & 0xFF);
    out[2 * i + 1] = static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8);
  }
  return out;
}

int16_t SampleAt(const std::vector<uint8_t>& bytes, size_t index) {
  return static_cast<int16_t>(bytes[2 * index] | (bytes[2 * index + 1] << 8));
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string TempPath(const char* name) { return std::string(ZEL_BUILD_DIR) + "/" + name; }

}  // namespace

TEST(HeadlessAudioDevice, CursorAndNotificationsFollowTheClock) {
  CHeadlessAudioDevice device;
  int notified = 0;
  auto buffer = device.CreateBuffer(kCd, 4410 * 4, [&] { ++notified; });  // segments of 100 ms
  ASSERT_TRUE(buffer);
  EXPECT_EQ(buffer->GetSize(), 4u * 4410 * 4);
  EXPECT_FALSE(buffer->IsPlaying());
  device.AdvanceTo(50);
  EXPECT_EQ(buffer->GetPlayCursor(), 0u);  // a stopped buffer does not move
  buffer->Play();
  device.AdvanceTo(149);  // 99 ms of playing: 4365.9 frames → 4365 after 2205 already mixed
  EXPECT_EQ(buffer->GetPlayCursor(), (6570u - 2205u) * 4);
  EXPECT_EQ(notified, 0);
  device.AdvanceTo(151);
  EXPECT_EQ(notified, 1);
  device.AdvanceTo(450);  // 4365 + … = 17640 frames played in all: four segment ends, one wrap
  EXPECT_EQ(notified, 4);
  EXPECT_EQ(buffer->GetPlayCursor(), (19845u - 2205u - 17640u) * 4);
  buffer->Stop();
  device.AdvanceTo(1000);
  EXPECT_EQ(notified, 4);
  EXPECT_EQ(device.FramesMixed(), 44100u);
}

TEST(HeadlessAudioDevice, MixIsTheBufferScaledByItsVolumeAndWrittenAsWave) {
  const std::string path = TempPath("audio-device-mix.wav");
  const auto pattern = Pattern(4 * 1000 * 4);
  CHeadlessAudioDevice device;
  ASSERT_TRUE(device.OpenOutput(path));
  auto a = device.CreateBuffer(kCd, 1000 * 4, nullptr);
  auto b = device.CreateBuffer(kCd, 1000 * 4, nullptr);
  ASSERT_TRUE(a && b);
  ASSERT_TRUE(a->Write(0, pattern.data(), static_cast<uint32_t>(pattern.size())));
  EXPECT_FALSE(a->Write(1, pattern.data(), static_cast<uint32_t>(pattern.size())));
  const uint8_t maxSample[4] = {0xFF, 0x7F, 0xFF, 0x7F};
  for (uint32_t at = 0; at < b->GetSize(); at += 4) b->Write(at, maxSample, 4);
  a->Play();
  device.AdvanceTo(10);  // 441 frames of a alone at full volume
  a->SetVolume(-693);    // half
  EXPECT_EQ(a->GetVolume(), -693);
  device.AdvanceTo(20);
  b->Play();  // a + b clips
  device.AdvanceTo(30);
  a->SetVolume(IAudioBuffer::kSilent);
  b->SetVolume(-30000);  // out of range means silent
  EXPECT_EQ(b->GetVolume(), IAudioBuffer::kSilent);
  device.AdvanceTo(40);
  ASSERT_TRUE(device.CloseOutput());

  const auto wav = ReadFile(path);
  ASSERT_EQ(wav.size(), 44u + 1764 * 4);
  const uint8_t header[44] = {'R', 'I', 'F',  'F',  0xB4, 0x1B, 0,    0,    'W',  'A', 'V',
                              'E', 'f', 'm',  't',  ' ',  16,   0,    0,    0,    1,   0,
                              2,   0,   0x44, 0xAC, 0,    0,    0x10, 0xB1, 2,    0,   4,
                              0,   16,  0,    'd',  'a',  't',  'a',  0x90, 0x1B, 0,   0};
  EXPECT_TRUE(std::equal(header, header + 44, wav.begin()));
  const std::vector<uint8_t> data(wav.begin() + 44, wav.end());
  for (size_t i = 0; i < 882; ++i) ASSERT_EQ(SampleAt(data, i), SampleAt(pattern, i)) << i;
  const int32_t half = static_cast<int32_t>(std::lround(65536 * std::pow(10.0, -693 / 2000.0)));
  for (size_t i = 882; i < 1764; ++i) ASSERT_EQ(SampleAt(data, i), (SampleAt(pattern, i) * half) >> 16) << i;
  for (size_t i = 1764; i < 2646; ++i) {
    ASSERT_EQ(SampleAt(data, i), std::min(32767, 32767 + ((SampleAt(pattern, i) * half) >> 16))) << i;
  }
  for (size_t i = 2646; i < 3528; ++i) ASSERT_EQ(SampleAt(data, i), 0) << i;
  std::remove(path.c_str());
}

TEST(HeadlessAudioDevice, ConvertsMonoAndOtherRates) {
  CHeadlessAudioDevice device;
  auto mono = device.CreateBuffer({1, 22050, 16}, 2205 * 2, nullptr);
  auto bytes8 = device.CreateBuffer({2, 11025, 8}, 1100 * 2, nullptr);
  ASSERT_TRUE(mono && bytes8);
  mono->Play();
  bytes8->Play();
  device.AdvanceTo(100);  // 4410 output frames: 2205 mono frames and 1102 frames of 8-bit heard
  EXPECT_EQ(mono->GetPlayCursor(), 2205u * 2);
  EXPECT_EQ(bytes8->GetPlayCursor(), 1102u * 2);
}

TEST(HeadlessAudioDevice, RejectsFormatsItCannotPlay) {
  CHeadlessAudioDevice device;
  EXPECT_FALSE(device.CreateBuffer({2, 44100, 24}, 4000, nullptr));
  EXPECT_FALSE(device.CreateBuffer({0, 44100, 16}, 4000, nullptr));
  EXPECT_FALSE(device.CreateBuffer({2, 0, 16}, 4000, nullptr));
  EXPECT_FALSE(device.CreateBuffer({2, 44100, 16}, 4002, nullptr));  // not whole frames
  EXPECT_FALSE(device.CreateBuffer({2, 44100, 16}, 0, nullptr));
  EXPECT_FALSE(device.IsRealTime());
}

TEST(HeadlessAudioDevice, SameInputGivesTheSameFile) {
  auto run = [](const std::string& path) {
    CHeadlessAudioDevice device;
    device.OpenOutput(path);
    auto mono = device.CreateBuffer({1, 22050, 16}, 2205 * 2, nullptr);
    const auto pattern = Pattern(mono->GetSize());
    mono->Write(0, pattern.data(), mono->GetSize());
    mono->SetVolume(-300);
    mono->Play();
    for (uint32_t frame = 1; frame <= 120; ++frame) device.AdvanceTo((frame * 1000 + 59) / 60);
    device.CloseOutput();
    return ReadFile(path);
  };
  const auto first = run(TempPath("audio-device-a.wav"));
  EXPECT_EQ(first.size(), 44u + 88200 * 4);
  EXPECT_EQ(first, run(TempPath("audio-device-b.wav")));
  std::remove(TempPath("audio-device-a.wav").c_str());
  std::remove(TempPath("audio-device-b.wav").c_str());
}

TEST(SdlAudioDevice, FeedsTheOutputDeviceFromSdlsThread) {
  CSdlAudioDevice device;
  if (!device.Open()) GTEST_SKIP() << "no SDL audio driver";
  std::atomic<int> notified = 0;
  auto buffer = device.CreateBuffer(kCd, 441 * 4, [&] { ++notified; });  // 10 ms segments
  ASSERT_TRUE(buffer);
  EXPECT_TRUE(device.IsRealTime());
  buffer->Play();
  // <chrono> cannot be compiled for the Shift JIS execution character set; SDL keeps the time.
  const Uint32 start = SDL_GetTicks();
  while (notified < 8 && SDL_GetTicks() - start < 5000) SDL_Delay(5);
  EXPECT_GE(notified.load(), 8);
  buffer.reset();
  device.Close();
}

TEST(SdlAudioDevice, WithoutAnOutputTheMixStillRunsInRealTime) {
  const char* previous = std::getenv("SDL_AUDIODRIVER");
  const std::string saved = previous ? previous : "";
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  CSdlAudioDevice device;
  EXPECT_FALSE(device.Open());
  if (previous)
    setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
  else
    unsetenv("SDL_AUDIODRIVER");
  std::atomic<int> notified = 0;
  auto buffer = device.CreateBuffer(kCd, 441 * 4, [&] { ++notified; });  // 10 ms segments
  buffer->Play();
  const Uint32 start = SDL_GetTicks();
  while (notified < 8 && SDL_GetTicks() - start < 5000) SDL_Delay(5);
  EXPECT_GE(notified.load(), 8);
  buffer.reset();
  device.Close();
}

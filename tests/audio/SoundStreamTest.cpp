#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "SoundTestHost.h"
#include "audio/SoundStream.h"
#include "audio/VorbisEncoder.h"

namespace {

std::vector<int16_t> ReadWaveSamples(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<int16_t> samples;
  for (size_t i = 44; i + 1 < bytes.size(); i += 2)
    samples.push_back(static_cast<int16_t>(bytes[i] | (bytes[i + 1] << 8)));
  return samples;
}

std::string TempPath(const char* name) { return std::string(ZEL_BUILD_DIR) + "/" + name; }

}  // namespace

TEST(SoundStream, SegmentIsThreeQuartersOfASecondInWholeBlocks) {
  EXPECT_EQ(CSoundStream::SegmentSize(SWaveFormat::Pcm16(2, 44100)), 132300u);
  EXPECT_EQ(CSoundStream::SegmentSize(SWaveFormat::Pcm16(1, 22050)), 33074u);  // 33075 rounded down to 2
  EXPECT_EQ(CSoundStream::SegmentSize(SWaveFormat::Pcm16(2, 22050)), 66148u);  // 66150 → 66148
  SWaveFormat bytes8 = SWaveFormat::Pcm16(1, 11025);
  bytes8.blockAlign = 1;
  bytes8.bitsPerSample = 8;
  EXPECT_EQ(CSoundStream::SegmentSize(bytes8), 8268u);
  EXPECT_EQ(CSoundStream::SegmentSize(SWaveFormat()), 0u);
}

TEST(SoundStream, TwoSecondSoundStopsAfterItsLastByteWithSilenceUntilThen) {
  CSoundRig rig;
  ASSERT_TRUE(rig.device.OpenOutput(TempPath("stream-2s.wav")));
  rig.AddWave("two.wav", 88200, [](uint32_t) { return 1000; });
  rig.sound.PlaySound("two.wav", 0, false, false, 0);
  rig.RunFrames(134);  // 2233 ms: the third segment end (2250 ms) is not reached
  EXPECT_TRUE(rig.sound.IsChannelPlaying(0));
  rig.RunFrames(2);  // 2267 ms
  EXPECT_FALSE(rig.sound.IsChannelPlaying(0));
  rig.RunFrames(30);
  ASSERT_TRUE(rig.device.CloseOutput());
  const auto samples = ReadWaveSamples(TempPath("stream-2s.wav"));
  ASSERT_EQ(samples.size(), 2u * ((166 * 1000 + 59) / 60 * 441 / 10));
  for (size_t i = 0; i < 2 * 88200; ++i) ASSERT_EQ(samples[i], 1000) << i;
  for (size_t i = 2 * 88200; i < samples.size(); ++i) ASSERT_EQ(samples[i], 0) << i;
  std::remove(TempPath("stream-2s.wav").c_str());
}

TEST(SoundStream, LoopShorterThanASegmentRepeatsSeamlessly) {
  CSoundRig rig;
  ASSERT_TRUE(rig.device.OpenOutput(TempPath("stream-loop.wav")));
  const uint32_t length = 4410;  // 0.1 s, a seventh of a segment
  rig.AddWave("loop.wav", length, [](uint32_t f) { return static_cast<int>(f * 7) - 15000; });
  rig.sound.PlaySound("loop.wav", 2, true, false, 0);
  rig.RunFrames(300);  // five seconds: every segment refilled at least twice
  EXPECT_TRUE(rig.sound.IsChannelPlaying(2));
  ASSERT_TRUE(rig.device.CloseOutput());
  const auto samples = ReadWaveSamples(TempPath("stream-loop.wav"));
  ASSERT_EQ(samples.size(), 2u * 220500);
  for (size_t f = 0; f < 220500; ++f) {
    ASSERT_EQ(samples[2 * f], static_cast<int>(f % length * 7) - 15000) << f;
  }
  std::remove(TempPath("stream-loop.wav").c_str());
}

// Output sample value of a constant input at a channel volume, as the device scales it.
int Scaled(int value, int volume) {
  const int32_t attenuation = CSoundSystem::VolumeToAttenuation(volume);
  if (attenuation <= IAudioBuffer::kSilent) return 0;
  return (value * static_cast<int32_t>(std::lround(65536.0 * std::pow(10.0, attenuation / 2000.0)))) >> 16;
}

TEST(SoundStream, LevelsAtKnownTimes) {
  CSoundRig rig;
  ASSERT_TRUE(rig.device.OpenOutput(TempPath("stream-levels.wav")));
  rig.AddWave("music.wav", 44100 * 2, [](uint32_t) { return 1000; });
  rig.AddWave("effect.wav", 44100, [](uint32_t) { return 2000; });
  rig.AddWave("voice.wav", 22050, [](uint32_t) { return 4000; });
  rig.host.volumes[3] = 128;
  rig.sound.PlaySound("music.wav", 1, true, false, 0);
  rig.sound.PlaySound("effect.wav", 0, false, false, 0);
  rig.RunFrames(90);  // 1.5 s: the effect has ended
  rig.sound.PlaySound("voice.wav", 3, false, false, 0);
  rig.RunFrames(30);
  rig.sound.StopSound(1, 30);
  rig.RunFrames(40);
  ASSERT_TRUE(rig.device.CloseOutput());
  const auto samples = ReadWaveSamples(TempPath("stream-levels.wav"));
  auto at = [&](double seconds) { return samples[2 * static_cast<size_t>(seconds * 44100)]; };
  EXPECT_EQ(at(0.5), 3000);                           // music and effect
  EXPECT_EQ(at(1.2), 1000);                           // the effect's silent tail
  EXPECT_EQ(at(1.7), 1000 + Scaled(4000, 128));       // music and the voice at half volume
  EXPECT_EQ(at(2.045), Scaled(1000, 256 * 27 / 30));  // frame 123: music fading, voice over
  EXPECT_EQ(at(2.6), 0);                              // everything stopped
}

TEST(SoundStream, HeadlessMixIsTheSameEveryRun) {
  auto run = [](const std::string& path) {
    CSoundRig rig;
    rig.device.OpenOutput(path);
    std::vector<int16_t> tone;
    for (int i = 0; i < 22050; ++i) tone.push_back(static_cast<int16_t>((i % 50) * 300 - 7500));
    rig.files["music.ogg"] = CVorbisEncoder::Encode(tone, 1, 22050);
    rig.AddWave("se.wav", 30000, [](uint32_t f) { return (f % 100) * 50; });
    rig.sound.PlaySound("music.ogg", 1, true, false, 45);
    rig.RunFrames(40);
    rig.sound.PlaySound("se.wav", 0, false, false, 0);
    rig.RunFrames(100);
    rig.sound.StopSound(1, 0);
    rig.RunFrames(60);
    rig.device.CloseOutput();
    return ReadWaveSamples(path);
  };
  const auto first = run(TempPath("stream-det-a.wav"));
  ASSERT_EQ(first.size(), 2u * 147029);  // 200 frames end at 3334 ms
  EXPECT_EQ(first, run(TempPath("stream-det-b.wav")));
  std::remove(TempPath("stream-det-a.wav").c_str());
  std::remove(TempPath("stream-det-b.wav").c_str());
}

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "SoundTestHost.h"
#include "io/Trace.h"

namespace {

class SoundSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"a.wav", "b.wav", "se.wav", "voice\\a001.wav", "voice\\b001.wav", "sys.wav"}) {
      rig.AddWave(name, 44100, [](uint32_t) { return 500; });
    }
  }
  CSoundRig rig;
  CSoundSystem& sound = rig.sound;
  CSoundTestHost& host = rig.host;
};

}  // namespace

TEST(SoundVolume, AttenuationIsThousandTimesTheNaturalLog) {
  EXPECT_EQ(CSoundSystem::VolumeToAttenuation(256), 0);
  EXPECT_EQ(CSoundSystem::VolumeToAttenuation(128), -693);
  EXPECT_EQ(CSoundSystem::VolumeToAttenuation(64), -1386);
  EXPECT_EQ(CSoundSystem::VolumeToAttenuation(1), -5545);
  EXPECT_EQ(CSoundSystem::VolumeToAttenuation(0), -10000);
}

TEST_F(SoundSystemTest, FadeInOfSixtyTicksReaches128AtThirty) {
  sound.PlaySound("se.wav", 0, false, false, 60);
  EXPECT_TRUE(sound.IsChannelPlaying(0));
  EXPECT_EQ(sound.GetChannelVolume(0), 0);
  rig.RunFrames(30);
  EXPECT_EQ(sound.GetChannelVolume(0), 128);
  rig.RunFrames(40);
  EXPECT_EQ(sound.GetChannelVolume(0), 256);
  // The finished fade-in keeps following the setting.
  host.volumes[0] = 100;
  rig.RunFrames(1);
  EXPECT_EQ(sound.GetChannelVolume(0), 100);
}

TEST_F(SoundSystemTest, StopSoundZeroFadesPlayingMusicOverThirtyTicks) {
  sound.PlaySound("a.wav", 1, true, false, 0);
  EXPECT_EQ(sound.Registry().at(1), "a.wav");
  sound.StopSound(1, 0);
  EXPECT_TRUE(sound.Registry().empty());
  EXPECT_TRUE(sound.IsFadingOut(1));
  rig.RunFrames(29);
  EXPECT_TRUE(sound.IsChannelPlaying(1));
  EXPECT_EQ(sound.GetChannelVolume(1), 256 * 1 / 30);
  rig.RunFrames(1);
  EXPECT_FALSE(sound.IsChannelPlaying(1));
  EXPECT_FALSE(sound.IsFadingOut(1));
  // Other channels stop at once.
  sound.PlaySound("se.wav", 0, false, false, 0);
  sound.StopSound(0, 0);
  EXPECT_FALSE(sound.IsChannelPlaying(0));
}

TEST_F(SoundSystemTest, SameMusicAgainChangesNothing) {
  sound.PlaySound("a.wav", 1, true, false, 60);
  rig.RunFrames(10);
  sound.SetChannelVolume(1, 77);
  sound.PlaySound("a.wav", 1, true, false, 0);
  EXPECT_EQ(rig.loads["a.wav"], 1);
  EXPECT_EQ(sound.GetChannelVolume(1), 77);
  EXPECT_FALSE(sound.IsFadingOut(1));
  rig.RunFrames(1);  // the first fade-in continues: 11 of 60 ticks
  EXPECT_EQ(sound.GetChannelVolume(1), 11 * 256 / 60);
  // Differing only in case is another piece.
  sound.PlaySound("A.WAV", 1, true, false, 0);
  EXPECT_TRUE(sound.IsFadingOut(1));
}

TEST_F(SoundSystemTest, ResetStopsEveryRegisteredSound) {
  sound.PlaySound("a.wav", 1, true, false, 0);
  sound.PlaySound("se.wav", 0, true, false, 0);
  sound.PlaySound("b.wav", 2, false, false, 0);  // not looping: not registered, keeps playing
  EXPECT_EQ(sound.Registry().size(), 2u);
  sound.StopRegisteredSounds();
  EXPECT_TRUE(sound.Registry().empty());
  EXPECT_FALSE(sound.IsChannelPlaying(0));
  EXPECT_TRUE(sound.IsFadingOut(1));
  EXPECT_TRUE(sound.IsChannelPlaying(2));
}

TEST_F(SoundSystemTest, OtherMusicCrossFadesThroughThePendingName) {
  sound.PlaySound("a.wav", 1, true, false, 0);
  sound.PlaySound("b.wav", 1, true, false, 20);
  EXPECT_EQ(sound.Registry().at(1), "b.wav");
  EXPECT_EQ(rig.loads["b.wav"], 0);
  rig.RunFrames(15);
  EXPECT_EQ(sound.GetChannelVolume(1), 128);
  rig.RunFrames(15);
  EXPECT_EQ(rig.loads["b.wav"], 1);
  EXPECT_TRUE(sound.IsChannelPlaying(1));
  EXPECT_EQ(sound.GetChannelVolume(1), 0);  // b starts silent for its fade-in
  rig.RunFrames(10);
  EXPECT_EQ(sound.GetChannelVolume(1), 128);
}

TEST_F(SoundSystemTest, StopAtOnceCancelsAPendingSound) {
  sound.PlaySound("se.wav", 0, false, false, 0);
  sound.StopSound(0, 20);
  sound.PlaySound("a.wav", 0, false, false, 0);  // queued behind the fade-out
  sound.StopSound(0, 0);
  rig.RunFrames(30);
  EXPECT_EQ(rig.loads["a.wav"], 0);
  EXPECT_FALSE(sound.IsChannelPlaying(0));
}

TEST_F(SoundSystemTest, DisabledVoiceCategoryMutesWithoutAMessage) {
  host.prefixes = {"voice\\a", "voice\\b", ""};
  host.voiceMask = ~0b110u;  // category 1 and the empty category 2 off
  sound.PlaySound("voice\\b001.wav", 3, false, false, 0);
  EXPECT_FALSE(sound.IsChannelPlaying(3));
  EXPECT_TRUE(host.missing.empty());
  EXPECT_EQ(host.voiceReference, "voice\\b001.wav");
  EXPECT_EQ(host.discards, 0);
  sound.PlaySound("voice\\a001.wav", 3, false, false, 0);
  EXPECT_TRUE(sound.IsChannelPlaying(3));
  EXPECT_EQ(host.discards, 1);  // starting a sound discards the time it took
}

TEST_F(SoundSystemTest, VoiceReferenceAndTheSkipRule) {
  host.skipping = true;
  sound.PlaySound("voice\\a001.wav", 3, false, true, 30);
  EXPECT_EQ(host.voiceReference, "voice\\a001.wav");
  EXPECT_FALSE(sound.IsChannelPlaying(3));
  EXPECT_EQ(host.waitMask, 0u);  // no waiting while skipping
  host.pageCompletion = true;
  sound.PlaySound("voice\\b001.wav", 3, false, false, 30);
  EXPECT_TRUE(sound.IsChannelPlaying(3));
  EXPECT_EQ(sound.GetChannelVolume(3), 256);  // no fade-in while skipping
  host.skipping = false;
  host.backlogOpen = true;
  sound.PlaySound("voice\\a001.wav", 3, false, true, 0);
  EXPECT_EQ(host.voiceReference, "voice\\b001.wav");
  EXPECT_EQ(host.waitMask, 1u << 3);
}

TEST_F(SoundSystemTest, UnplayableFilesAreReportedAndLeaveTheChannelStopped) {
  rig.files["bad.ogg"] = {'O', 'g', 'g', 'S', 0, 0};
  sound.PlaySound("missing.ogg", 2, false, false, 0);
  sound.PlaySound("bad.ogg", 2, false, false, 0);
  EXPECT_EQ(host.missing, std::vector<std::string>({"missing.ogg", "bad.ogg"}));
  EXPECT_FALSE(sound.IsChannelPlaying(2));
  EXPECT_EQ(host.discards, 0);
  EXPECT_EQ(host.heard, std::vector<std::string>({"missing.ogg", "bad.ogg"}));
}

TEST_F(SoundSystemTest, ExtensiblePcmPlaysAndCompressedFormatsStaySilent) {
  SWaveFormat extensible = SWaveFormat::Pcm16(2, 44100);
  extensible.formatTag = SWaveFormat::kExtensible;
  // 16 valid bits, front left and right, sub-format KSDATAFORMAT_SUBTYPE_PCM.
  extensible.extra = {16, 0, 3, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
  const std::vector<uint8_t> pcm(4000, 0);
  rig.files["ext.wav"] = CWaveFile::Build(extensible, pcm.data(), pcm.size());
  extensible.extra[6] = 3;  // IEEE float
  rig.files["float.wav"] = CWaveFile::Build(extensible, pcm.data(), pcm.size());
  sound.PlaySound("ext.wav", 0, false, false, 0);
  EXPECT_TRUE(sound.IsChannelPlaying(0));
  sound.PlaySound("float.wav", 2, false, false, 0);
  EXPECT_FALSE(sound.IsChannelPlaying(2));
  EXPECT_TRUE(host.missing.empty());
}

TEST_F(SoundSystemTest, SystemSoundsAndMusicByKey) {
  host.settings["決定SE"] = "sys.wav";
  host.settings["タイトルBGM"] = "a.wav";
  sound.PlaySystemSound("決定SE");
  EXPECT_TRUE(sound.IsChannelPlaying(4));
  EXPECT_TRUE(sound.Registry().empty());
  sound.PlaySystemSound("キャンセルSE");  // no row: nothing
  EXPECT_TRUE(host.missing.empty());
  sound.PlayMusicByKey("タイトルBGM");
  EXPECT_EQ(sound.Registry().at(1), "a.wav");
  sound.PlayMusicByKey("アルバムBGM");  // empty: the music fades out
  EXPECT_TRUE(sound.IsFadingOut(1));
  EXPECT_TRUE(sound.Registry().empty());
}

TEST_F(SoundSystemTest, ChannelsOutsideTheRangeAndBeforeInitAreIgnored) {
  sound.PlaySound("a.wav", 5, true, true, 0);
  sound.PlaySound("a.wav", -1, true, true, 0);
  sound.StopSound(7, 0);
  sound.SetChannelVolume(9, 10);
  EXPECT_FALSE(sound.IsChannelPlaying(5));
  EXPECT_EQ(rig.loads["a.wav"], 0);
  EXPECT_EQ(host.waitMask, 0u);
  CSoundTestHost idleHost;
  CSoundSystem idle(idleHost);
  idle.PlaySound("a.wav", 1, true, false, 0);
  EXPECT_FALSE(idle.IsChannelPlaying(1));
  EXPECT_TRUE(idle.Registry().empty());
}

TEST_F(SoundSystemTest, TracesPlayAndStop) {
  const std::string path = std::string(ZEL_BUILD_DIR) + "/sound-trace.jsonl";
  ASSERT_TRUE(CTrace::Open(path));
  sound.PlaySound("se.wav", 2, false, false, 0);
  sound.StopSound(2, 0);
  sound.StopSound(2, 0);  // already stopped: no second event
  CTrace::Close();
  std::ifstream in(path);
  std::string first, second, third;
  std::getline(in, first);
  std::getline(in, second);
  EXPECT_FALSE(std::getline(in, third));
  EXPECT_NE(first.find("\"event\":\"sound\""), std::string::npos) << first;
  EXPECT_NE(first.find("\"action\":\"play\""), std::string::npos) << first;
  EXPECT_NE(first.find("\"channel\":2"), std::string::npos) << first;
  EXPECT_NE(first.find("\"file\":\"se.wav\""), std::string::npos) << first;
  EXPECT_NE(second.find("\"action\":\"stop\""), std::string::npos) << second;
  std::remove(path.c_str());
}

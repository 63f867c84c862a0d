#pragma once
#include <map>
#include <string>
#include <vector>

#include "audio/SoundSystem.h"
#include "audio/WaveFile.h"
#include "platform/headless/HeadlessAudioDevice.h"

// The engine side of the sound system for tests: plain fields, and what was asked of it.
class CSoundTestHost : public ISoundHost {
 public:
  bool IsSkipping() const override { return skipping; }
  bool IsPageCompletionRequested() const override { return pageCompletion; }
  bool IsBacklogOpen() const override { return backlogOpen; }
  void SetVoiceReference(const std::string& name) override { voiceReference = name; }
  void WaitForChannels(uint32_t mask) override { waitMask = mask; }
  void DiscardElapsedTime() override { ++discards; }
  void ReportMissingFile(const std::string& name) override { missing.push_back(name); }
  int GetVolumeSetting(int channel) const override { return volumes[channel]; }
  uint32_t GetVoiceCategoryMask() const override { return voiceMask; }
  std::string GetVoiceCategoryPrefix(int index) const override {
    return index < static_cast<int>(prefixes.size()) ? prefixes[index] : std::string();
  }
  void MarkMusicHeard(const std::string& name) override { heard.push_back(name); }
  std::string GetSetting(const std::string& key) const override {
    const auto it = settings.find(key);
    return it == settings.end() ? std::string() : it->second;
  }

  bool skipping = false;
  bool pageCompletion = false;
  bool backlogOpen = false;
  std::string voiceReference;
  uint32_t waitMask = 0;
  int discards = 0;
  std::vector<std::string> missing;
  int volumes[5] = {256, 256, 256, 256, 256};
  uint32_t voiceMask = 0xFFFFFFFF;
  std::vector<std::string> prefixes;
  std::vector<std::string> heard;
  std::map<std::string, std::string> settings;
};

// A sound system on a headless device whose files come from memory, with a frame clock.
class CSoundRig {
 public:
  CSoundRig() {
    sound.SetSourceLoader([this](const std::string& name) -> std::unique_ptr<CSoundSource> {
      ++loads[name];
      const auto it = files.find(name);
      return it == files.end() ? nullptr : CSoundSource::FromMemory(it->second);
    });
    sound.InitSound(device);
  }
  ~CSoundRig() { sound.ShutdownSound(); }

  // A 44100 Hz stereo file whose frame f holds the value generate(f) in both channels.
  template <typename F>
  void AddWave(const std::string& name, uint32_t frames, F generate) {
    std::vector<int16_t> samples;
    for (uint32_t f = 0; f < frames; ++f) samples.insert(samples.end(), 2, static_cast<int16_t>(generate(f)));
    files[name] = CWaveFile::Build(SWaveFormat::Pcm16(2, 44100), samples);
  }
  // Runs frames of the headless clock (frame n ends at ceil(n × 1000 / 60) ms), fades included.
  void RunFrames(int count) {
    for (int i = 0; i < count; ++i) {
      ++frame;
      sound.UpdateSoundFades(1);
      device.AdvanceTo(static_cast<uint32_t>((frame * 1000 + 59) / 60));
    }
  }

  CSoundTestHost host;
  CHeadlessAudioDevice device;
  CSoundSystem sound{host};
  std::map<std::string, std::vector<uint8_t>> files;
  std::map<std::string, int> loads;
  long long frame = 0;
};

#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "audio/SoundChannel.h"
#include "audio/SoundEvents.h"
#include "audio/SoundHost.h"
#include "platform/AudioDevice.h"

// The five streamed sound channels, their streaming thread and the rules scripts and menus rely
// on: music that is not restarted when requested again, fades in frame ticks, cross-fades, voice
// categories and the volumes of the player configuration.
//
// Threads: the message thread calls every operation; the streaming thread only refills buffers.
// The channel lock guards each channel's stream, name, loop flag and volume; it is the only lock
// of the sound code and nothing is waited for while it is held (the device's internal lock and the
// wake-up events are taken under it, never the other way round).
class CSoundSystem {
 public:
  static constexpr int kChannels = 5;
  static constexpr int kMusicChannel = 1;
  static constexpr int kVoiceChannel = 3;
  static constexpr int kSystemChannel = 4;
  using SourceLoader = std::function<std::unique_ptr<CSoundSource>(const std::string& name)>;

  explicit CSoundSystem(ISoundHost& host);
  CSoundSystem(const CSoundSystem&) = delete;
  CSoundSystem& operator=(const CSoundSystem&) = delete;
  ~CSoundSystem();

  // Starts the streaming thread on the device and sets each channel's volume from its setting.
  void InitSound(IAudioDevice& device);
  // Stops the thread and releases every stream; the device may be destroyed afterwards.
  void ShutdownSound();
  bool IsInitialised() const { return device != nullptr; }
  // Where sound files come from; by default the archive layer.
  void SetSourceLoader(SourceLoader loader) { sourceLoader = std::move(loader); }

  void PlaySound(const std::string& name, int channel, bool loop, bool wait, int fadeIn);
  void StopSound(int channel, int fadeOut);
  // Plays the file named by a settings row once on the system-sound channel.
  void PlaySystemSound(const std::string& key);
  // Plays the file named by a settings row as looping music, or stops the music for an empty value.
  void PlayMusicByKey(const std::string& key);
  void StartChannel(const std::string& name, int channel, bool loop, bool fadeIn);
  void StopChannelNow(int channel);
  bool IsChannelPlaying(int channel);
  void SetChannelVolume(int channel, int volume);
  // Applies every channel's volume setting (start-up and a changed configuration).
  void ApplyVolumeSettings();
  // Game reset: every sound still registered stops on its channel (playing music fades out).
  void StopRegisteredSounds();
  // Advances fade-ins and fade-outs by the frame's elapsed ticks.
  void UpdateSoundFades(int elapsed);

  bool IsFadingOut(int channel) const;
  int GetChannelVolume(int channel);
  // Looping sounds started by name and still wanted, by channel: what a save records.
  const std::map<int, std::string>& Registry() const { return registry; }

  // trunc(1000 × ln(v / 256)) hundredths of a decibel; silent for 0.
  static int32_t VolumeToAttenuation(int volume);

 private:
  static bool IsChannel(int channel) { return channel >= 0 && channel < kChannels; }
  bool IsVoiceMuted(const std::string& name) const;
  // Creates and starts the stream (channel lock held); false when the buffer cannot be made.
  bool StartStream(int channel, std::unique_ptr<CSoundSource> source, bool loop, int volume);
  void ApplyVolume(CSoundChannel& channel, int volume);
  void StartFadeOut(CSoundChannel& channel, int length);
  void StreamingThread(std::shared_ptr<CSoundEvents> wakeUp);

  ISoundHost& host;
  IAudioDevice* device = nullptr;
  SourceLoader sourceLoader;
  std::array<CSoundChannel, kChannels> channels;
  std::mutex channelLock;
  std::shared_ptr<CSoundEvents> events;
  std::thread thread;
  std::map<int, std::string> registry;
};

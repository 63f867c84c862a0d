#include "audio/SoundSystem.h"

#include <algorithm>
#include <cmath>

#include "io/Trace.h"

namespace {

constexpr int kFullVolume = 256;
constexpr int kDefaultFadeOut = 30;
constexpr int kSkippingFadeOut = 10;

void TraceSound(const char* action, int channel, const std::string& name) {
  CTrace::Event("sound", {{"action", action}, {"channel", channel}, {"file", name}});
}

}  // namespace

CSoundSystem::CSoundSystem(ISoundHost& h) : host(h), sourceLoader(CSoundSource::FromFile) {}

CSoundSystem::~CSoundSystem() { ShutdownSound(); }

int32_t CSoundSystem::VolumeToAttenuation(int volume) {
  if (volume <= 0) return IAudioBuffer::kSilent;
  return static_cast<int32_t>(1000.0 * std::log(volume / 256.0));
}

void CSoundSystem::InitSound(IAudioDevice& d) {
  if (device) return;
  device = &d;
  events = std::make_shared<CSoundEvents>();
  thread = std::thread(&CSoundSystem::StreamingThread, this, events);
  ApplyVolumeSettings();
}

void CSoundSystem::ShutdownSound() {
  if (!device) return;
  events->PostQuit();
  thread.join();
  {
    std::lock_guard lock(channelLock);
    for (CSoundChannel& c : channels) c = CSoundChannel();
  }
  registry.clear();
  events.reset();
  device = nullptr;
}

void CSoundSystem::StreamingThread(std::shared_ptr<CSoundEvents> wakeUp) {
  bool ok = true;
  while (ok) {
    const uint32_t signalled = wakeUp->Wait();
    if (signalled == 0) break;
    for (int i = 0; i < kChannels && ok; ++i) {
      if (!(signalled & (1u << i))) continue;
      std::lock_guard lock(channelLock);
      CSoundChannel& c = channels[i];
      if (c.stream) ok = c.stream->Service(c.loop);
    }
    wakeUp->Done();
  }
  // A refill that failed leaves every channel to run out; the thread does not come back.
  wakeUp->Finish();
}

void CSoundSystem::PlaySound(const std::string& name, int channel, bool loop, bool wait, int fadeIn) {
  if (!IsChannel(channel) || !device) return;
  if (channel == kMusicChannel && loop) {
    const auto it = registry.find(channel);
    if (it != registry.end() && it->second == name) return;
  }
  const bool skipping = host.IsSkipping();
  if (skipping) fadeIn = 0;
  registry.erase(channel);
  CSoundChannel& c = channels[channel];
  c.fadeInElapsed = 0;
  c.fadeInLength = std::max(fadeIn, 0);
  if (c.fadeOutLength != 0 || (channel == kMusicChannel && IsChannelPlaying(channel))) {
    // The old sound fades out first; the new one starts when the fade-out ends.
    if (c.fadeOutLength == 0) StartFadeOut(c, skipping ? kSkippingFadeOut : kDefaultFadeOut);
    c.pendingName = name;
    c.pendingLoop = loop;
  } else {
    c.fadeOutLength = c.fadeOutElapsed = 0;
    StartChannel(name, channel, loop, c.fadeInLength != 0);
  }
  if (loop) registry[channel] = name;
  if (wait && !skipping) host.WaitForChannels(1u << channel);
  host.MarkMusicHeard(name);
}

void CSoundSystem::StopSound(int channel, int fadeOut) {
  if (!IsChannel(channel) || !device) return;
  registry.erase(channel);
  const bool skipping = host.IsSkipping();
  if (skipping) fadeOut = 0;
  CSoundChannel& c = channels[channel];
  if (fadeOut <= 0 && !(channel == kMusicChannel && IsChannelPlaying(channel))) {
    // A fade-out still running would otherwise start its pending sound after this stop.
    c.fadeOutLength = c.fadeOutElapsed = 0;
    c.pendingName.clear();
    StopChannelNow(channel);
    return;
  }
  c.fadeInLength = c.fadeInElapsed = 0;
  if (c.fadeOutLength == 0) {
    StartFadeOut(c, fadeOut > 0 ? fadeOut : (skipping ? kSkippingFadeOut : kDefaultFadeOut));
  }
  c.pendingName.clear();
}

void CSoundSystem::StopRegisteredSounds() {
  // StopSound removes the entry, so walk a copy.
  const std::map<int, std::string> registered = registry;
  for (const auto& [channel, name] : registered) StopSound(channel, 0);
}

void CSoundSystem::StartFadeOut(CSoundChannel& c, int length) {
  c.fadeOutElapsed = 0;
  c.fadeOutLength = length;
}

void CSoundSystem::PlaySystemSound(const std::string& key) {
  const std::string name = host.GetSetting(key);
  if (!name.empty()) PlaySound(name, kSystemChannel, false, false, 0);
}

void CSoundSystem::PlayMusicByKey(const std::string& key) {
  const std::string name = host.GetSetting(key);
  if (name.empty()) {
    StopSound(kMusicChannel, 0);
  } else {
    PlaySound(name, kMusicChannel, true, false, 0);
  }
}

bool CSoundSystem::IsVoiceMuted(const std::string& name) const {
  const uint32_t mask = host.GetVoiceCategoryMask();
  for (int i = 0; i < ISoundHost::kVoiceCategories; ++i) {
    if (mask & (1u << i)) continue;
    // A category without a prefix names no files; it must not mute every sound.
    const std::string prefix = host.GetVoiceCategoryPrefix(i);
    if (!prefix.empty() && name.compare(0, prefix.size(), prefix) == 0) return true;
  }
  return false;
}

void CSoundSystem::StartChannel(const std::string& name, int channel, bool loop, bool fadeIn) {
  if (!IsChannel(channel) || !device) return;
  StopChannelNow(channel);
  if (channel == kVoiceChannel && !host.IsBacklogOpen()) host.SetVoiceReference(name);
  if (channel == kVoiceChannel && host.IsSkipping() && !host.IsPageCompletionRequested()) return;
  if (IsVoiceMuted(name)) return;
  std::unique_ptr<CSoundSource> source = sourceLoader(name);
  if (!source || source->GetSize() == 0) {
    host.ReportMissingFile(name);
    return;
  }
  const int volume = fadeIn ? 0 : host.GetVolumeSetting(channel);
  bool started = false;
  {
    std::lock_guard lock(channelLock);
    CSoundChannel& c = channels[channel];
    c.loop = loop;
    c.stream.reset();
    c.name = name;
    started = StartStream(channel, std::move(source), loop, volume);
  }
  if (!started) return;
  TraceSound("play", channel, name);
  host.DiscardElapsedTime();
}

bool CSoundSystem::StartStream(int channel, std::unique_ptr<CSoundSource> source, bool loop, int volume) {
  CSoundChannel& c = channels[channel];
  // A simulated device waits for each refill, so its output does not depend on thread timing.
  const bool waitForRefill = !device->IsRealTime();
  auto notify = [wakeUp = events, channel, waitForRefill] {
    wakeUp->Signal(channel);
    if (waitForRefill) wakeUp->WaitIdle();
  };
  c.stream = CSoundStream::Create(*device, std::move(source), notify);
  if (!c.stream) return false;
  ApplyVolume(c, volume);
  if (!c.stream->FillAll(loop)) {
    c.stream.reset();
    return false;
  }
  c.stream->Buffer().Play();
  return true;
}

void CSoundSystem::StopChannelNow(int channel) {
  if (!IsChannel(channel) || !device) return;
  std::string stopped;
  {
    std::lock_guard lock(channelLock);
    CSoundChannel& c = channels[channel];
    if (!c.stream || !c.stream->Buffer().IsPlaying()) return;
    c.stream->Buffer().Stop();
    stopped = c.name;
  }
  TraceSound("stop", channel, stopped);
}

bool CSoundSystem::IsChannelPlaying(int channel) {
  if (!IsChannel(channel) || !device) return false;
  std::lock_guard lock(channelLock);
  const CSoundChannel& c = channels[channel];
  return c.stream && c.stream->Buffer().IsPlaying();
}

void CSoundSystem::SetChannelVolume(int channel, int volume) {
  if (!IsChannel(channel) || !device) return;
  std::lock_guard lock(channelLock);
  ApplyVolume(channels[channel], std::clamp(volume, 0, kFullVolume));
}

void CSoundSystem::ApplyVolume(CSoundChannel& c, int volume) {
  c.volume = volume;
  if (c.stream) c.stream->Buffer().SetVolume(VolumeToAttenuation(volume));
}

int CSoundSystem::GetChannelVolume(int channel) {
  if (!IsChannel(channel)) return 0;
  std::lock_guard lock(channelLock);
  return channels[channel].volume;
}

bool CSoundSystem::IsFadingOut(int channel) const {
  return IsChannel(channel) && channels[channel].fadeOutLength != 0;
}

void CSoundSystem::ApplyVolumeSettings() {
  for (int i = 0; i < kChannels; ++i) SetChannelVolume(i, host.GetVolumeSetting(i));
}

void CSoundSystem::UpdateSoundFades(int elapsed) {
  if (!device) return;
  for (int i = 0; i < kChannels; ++i) {
    CSoundChannel& c = channels[i];
    const int setting = host.GetVolumeSetting(i);
    if (c.fadeOutLength != 0) {
      const int length = c.fadeOutLength;
      c.fadeOutElapsed = std::min(c.fadeOutElapsed + elapsed, length);
      if (c.fadeOutElapsed < length) {
        SetChannelVolume(i, setting * (length - c.fadeOutElapsed) / length);
        continue;
      }
      c.fadeOutLength = c.fadeOutElapsed = 0;
      if (c.pendingName.empty()) {
        StopChannelNow(i);
      } else {
        const std::string pending = std::move(c.pendingName);
        c.pendingName.clear();
        StartChannel(pending, i, c.pendingLoop, c.fadeInLength != 0);
      }
    } else if (c.fadeInLength != 0) {
      c.fadeInElapsed = std::min(c.fadeInElapsed + elapsed, c.fadeInLength);
      SetChannelVolume(i, c.fadeInElapsed * setting / c.fadeInLength);
    }
  }
}

#pragma once
#include <cstdint>
#include <string>

// What the sound system needs from the engine around it. The engine object implements it; tests
// implement it with plain fields.
class ISoundHost {
 public:
  static constexpr int kVoiceCategories = 32;

  virtual ~ISoundHost() = default;
  // Skipping of text is in effect.
  virtual bool IsSkipping() const = 0;
  // The player clicked to complete the page while skipping: a voice started now is still played.
  virtual bool IsPageCompletionRequested() const = 0;
  // The backlog screen is open (its voice replays are not the current page's voice).
  virtual bool IsBacklogOpen() const = 0;
  // A voice started on the voice channel belongs to the message page being shown.
  virtual void SetVoiceReference(const std::string& name) = 0;
  // The script waits until the channels of mask (bit n = channel n) have stopped (engine mode 12).
  virtual void WaitForChannels(uint32_t mask) = 0;
  // Starting a sound took long; that time is not fed into the next frame.
  virtual void DiscardElapsedTime() = 0;
  // "%s ファイルが開けません" for a sound file that cannot be opened or decoded.
  virtual void ReportMissingFile(const std::string& name) = 0;
  // The player's volume (0-256) for a channel: 1 "BGM", 3 "VOICE", 0, 2 and 4 "SE".
  virtual int GetVolumeSetting(int channel) const = 0;
  // Bit i set: voice category i is played.
  virtual uint32_t GetVoiceCategoryMask() const = 0;
  // The file-name prefix of voice category i (0 to 31); empty when the category is not defined.
  virtual std::string GetVoiceCategoryPrefix(int index) const = 0;
  // Unlocks in the music room every music-list entry whose file equals name, ignoring case.
  virtual void MarkMusicHeard(const std::string& name) = 0;
  // The first value of a settings row ("決定SE", "タイトルBGM", …), empty when absent.
  virtual std::string GetSetting(const std::string& key) const = 0;
};

#pragma once
#include <array>
#include <cstdint>
#include <string>

// The player's configuration: the nineteen items of the config screen. Option items hold the index
// of their label; items 2 and 3 share the text speed, item 7 is the auto wait in ticks, items 8 to
// 10 the volumes (0 to 256), items 11 to 14 are buttons without a value.
class CPlayerConfig {
 public:
  enum EItem {
    kScreenMode = 0,  // 0 full screen, 1 window
    kEffects = 1,     // 0 on, 1 off
    kTextSpeedStep = 2,
    kTextSpeed = 3,  // 0 to 100
    kSkipMode = 4,   // 0 read text only, 1 all
    kSkipContinue = 5,
    kReadMark = 6,  // 1 shows read text in its colour
    kAutoWait = 7,  // ticks, 0 to 120
    kVolumeBgm = 8,
    kVolumeVoice = 9,
    kVolumeSe = 10,
    kSwitch0 = 15,
    kItemCount = 19
  };

  CPlayerConfig() { Reset(); }
  // The defaults: window, effects on, text speed 50, auto wait 60, full volumes, all voice
  // categories on, switches off.
  void Reset();
  // A "コンフィグ" row: the item whose label equals label takes its value (value2 for the sliders,
  // given in percent). False when no settable item has the label.
  bool ApplyRow(const std::string& label, int value2);

  int Value(int item) const;
  void SetValue(int item, int value);
  bool IsFullScreen() const { return values[kScreenMode] == 0; }
  int TextSpeed() const { return values[kTextSpeed]; }
  int AutoWait() const { return values[kAutoWait]; }
  // The volume of a sound channel: 1 music, 3 voice, 0, 2 and 4 effects and system sounds.
  int ChannelVolume(int channel) const;
  uint32_t VoiceMask() const { return voiceMask; }
  void SetVoiceMask(uint32_t mask) { voiceMask = mask; }

  // The labels of an item (its option controls on the config screen); empty for a bad item.
  static const std::array<const char*, 3>& Labels(int item);

 private:
  std::array<int, kItemCount> values{};
  uint32_t voiceMask = 0xFFFFFFFF;
};

#include "ui/ConfigItems.h"

#include <algorithm>

#include "persist/Settings.h"
#include "ui/ConfigHost.h"
#include "ui/Layout.h"

namespace {

constexpr int kFullVolume = 256;
constexpr int kMaxAutoWait = 120;
constexpr int kSliderStep = 10;

CPlayerConfig& Config() { return settings::Config(); }

}  // namespace

bool CConfigItems::IsSlider(int item) {
  return item == CPlayerConfig::kTextSpeed || item == CPlayerConfig::kAutoWait ||
         (item >= CPlayerConfig::kVolumeBgm && item <= CPlayerConfig::kVolumeSe);
}

std::string CConfigItems::SwitchVariable(int item) {
  return "CONFIG_SWITCH" + std::to_string(item - kFirstSwitch);
}

int CConfigItems::CurrentLabel(int item) const {
  if (item >= kFirstSwitch && item < kItems) return host.GetVariable(SwitchVariable(item)) != 0 ? 1 : 0;
  if (item == CPlayerConfig::kTextSpeedStep) {
    const int speed = Config().TextSpeed();
    return speed == 50 ? 1 : speed < 50 ? 0 : 2;
  }
  if (IsSlider(item) || IsButton(item)) return 0;
  return std::clamp(Config().Value(item), 0, 1);
}

float CConfigItems::SliderPosition(int item) const {
  const float value = static_cast<float>(Config().Value(item));
  // The text speed runs to 100 over a scale of 99: at full speed the knob stands one step past the end.
  if (item == CPlayerConfig::kTextSpeed) return value / 99.0f;
  if (item == CPlayerConfig::kAutoWait) return 1.0f - value / kMaxAutoWait;
  return value / kFullVolume;
}

void CConfigItems::ChooseLabel(int item, int index) {
  if (item == CPlayerConfig::kTextSpeedStep) return Config().SetValue(CPlayerConfig::kTextSpeed, index * 50);
  if (item >= kFirstSwitch && item < kItems) return host.SetVariable(SwitchVariable(item), index);
  if (!IsSlider(item) && !IsButton(item)) SetOption(item, index);
}

void CConfigItems::SetOption(int item, int value) {
  Config().SetValue(item, value);
  if (item != CPlayerConfig::kScreenMode) return;
  // The display follows the chosen mode; a display that cannot switch leaves the value it has.
  if (host.IsFullScreen() != (value == 0)) host.ToggleScreenMode();
}

void CConfigItems::SetSliderAt(int item, int32_t x, const SRect& rect, int32_t knobWidth) {
  const int64_t track = int64_t{rect.right} - knobWidth - rect.left;
  // A knob as wide as its control leaves no way to move it.
  if (track <= 0 || !IsSlider(item)) return;
  const int64_t offset = int64_t{x} - knobWidth / 2 - rect.left;
  if (item == CPlayerConfig::kTextSpeed)
    Config().SetValue(item, static_cast<int>(std::clamp<int64_t>(offset * 100 / track, 0, 100)));
  else if (item == CPlayerConfig::kAutoWait)
    Config().SetValue(item, static_cast<int>(std::clamp<int64_t>(kMaxAutoWait - offset * kMaxAutoWait / track,
                                                                 0, kMaxAutoWait)));
  else
    SetVolume(item, static_cast<int>(std::clamp<int64_t>(offset * kFullVolume / track, 0, kFullVolume)));
}

void CConfigItems::SetVolume(int item, int volume) {
  Config().SetValue(item, volume);
  // Music feeds channel 1, the voice channel 3, the effects and system sounds 0, 2 and 4.
  if (item == CPlayerConfig::kVolumeBgm) return host.SetChannelVolume(1, volume);
  if (item == CPlayerConfig::kVolumeVoice) return host.SetChannelVolume(3, volume);
  for (int channel : {0, 2, 4}) host.SetChannelVolume(channel, volume);
}

void CConfigItems::Step(int item, int direction, const CLayout& layout) {
  const auto& labels = CPlayerConfig::Labels(item);
  const int value = Config().Value(item);
  if (item == CPlayerConfig::kTextSpeedStep) return StepTextSpeed(direction, layout);
  if (item == CPlayerConfig::kTextSpeed)
    return Config().SetValue(item, std::clamp(value + direction * kSliderStep, 0, 100));
  // The auto wait shortens to the right: the knob at the right end means no wait.
  if (item == CPlayerConfig::kAutoWait)
    return Config().SetValue(item, std::clamp(value - direction * kSliderStep, 0, kMaxAutoWait));
  if (IsSlider(item)) {
    const int volume = value + direction * kSliderStep;
    return SetVolume(item, volume > kFullVolume - 1 ? kFullVolume : std::max(volume, 0));
  }
  if (IsButton(item) || !labels[1]) return;
  // Toward option 1 is the side its control lies on: labels may be placed right to left.
  const bool secondOnTheRight = layout.GetControlRect(labels[0]).left < layout.GetControlRect(labels[1]).left;
  const int chosen = (direction > 0) == secondOnTheRight ? 1 : 0;
  if (item >= kFirstSwitch)
    host.SetVariable(SwitchVariable(item), chosen);
  else
    SetOption(item, chosen);
}

void CConfigItems::StepTextSpeed(int direction, const CLayout& layout) {
  const auto& labels = CPlayerConfig::Labels(CPlayerConfig::kTextSpeedStep);
  for (int index = CurrentLabel(CPlayerConfig::kTextSpeedStep) + direction; index >= 0 && index <= 2;
       index += direction) {
    if (layout.FindControl(labels[index]) < 0) continue;
    Config().SetValue(CPlayerConfig::kTextSpeed, index * 50);
    return;
  }
}

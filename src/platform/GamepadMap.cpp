#include "platform/GamepadMap.h"

#include "platform/VirtualKeys.h"

namespace {

uint32_t KeyOf(EPadButton button, const SGamepadKeys& keys) {
  switch (button) {
    case EPadButton::kA:
      return vk::kReturn;
    case EPadButton::kB:
    case EPadButton::kStart:
      return vk::kEscape;
    case EPadButton::kUp:
      return vk::kUp;
    case EPadButton::kDown:
      return vk::kDown;
    case EPadButton::kLeft:
      return vk::kLeft;
    case EPadButton::kRight:
      return vk::kRight;
    case EPadButton::kRightShoulder:
      return vk::kControl;
    case EPadButton::kLeftShoulder:
      return keys.autoKey;
    default:
      return 0;
  }
}

}  // namespace

std::optional<SPlatformEvent> CGamepadMap::Translate(EPadButton button, bool down) const {
  SPlatformEvent event;
  if (button == EPadButton::kY) {
    if (!down) return std::nullopt;
    event.type = EEventType::kMouseWheel;
    event.wheelDelta = 120;
    return event;
  }
  const uint32_t key = KeyOf(button, keys);
  if (key == 0) return std::nullopt;
  event.type = down ? EEventType::kKeyDown : EEventType::kKeyUp;
  event.key = key;
  return event;
}

bool CGamepadMap::IsDirection(EPadButton button) {
  return button == EPadButton::kUp || button == EPadButton::kDown || button == EPadButton::kLeft ||
         button == EPadButton::kRight;
}

int CGamepadMap::StickDirection(int value, int previous) {
  const int limit = previous != 0 ? kStickRelease : kStickPress;
  if (value >= limit && previous >= 0) return 1;
  if (value <= -limit && previous <= 0) return -1;
  // Flipping straight from one side to the other passes the centre.
  if (previous != 0 && (value >= kStickPress || value <= -kStickPress)) return value > 0 ? 1 : -1;
  return 0;
}

#include "platform/sdl/SdlGamepad.h"

#include "platform/VirtualKeys.h"

bool CSdlGamepad::Open() {
  if (opened) return true;
  opened = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  // Controllers present at start arrive as "device added" events too.
  return opened;
}

void CSdlGamepad::Close() {
  for (auto& [id, pad] : pads) SDL_GameControllerClose(pad);
  pads.clear();
  if (opened) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  opened = false;
}

std::optional<EPadButton> CSdlGamepad::ButtonOf(uint8_t sdlButton) {
  switch (sdlButton) {
    case SDL_CONTROLLER_BUTTON_A:
      return EPadButton::kA;
    case SDL_CONTROLLER_BUTTON_B:
      return EPadButton::kB;
    case SDL_CONTROLLER_BUTTON_X:
      return EPadButton::kX;
    case SDL_CONTROLLER_BUTTON_Y:
      return EPadButton::kY;
    case SDL_CONTROLLER_BUTTON_BACK:
      return EPadButton::kBack;
    case SDL_CONTROLLER_BUTTON_START:
      return EPadButton::kStart;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
      return EPadButton::kLeftShoulder;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
      return EPadButton::kRightShoulder;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      return EPadButton::kUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return EPadButton::kDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return EPadButton::kLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return EPadButton::kRight;
    default:
      return std::nullopt;
  }
}

bool CSdlGamepad::Handle(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      if (SDL_GameController* pad = SDL_GameControllerOpen(event.cdevice.which))
        pads[SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad))] = pad;
      return true;
    case SDL_CONTROLLERDEVICEREMOVED:
      if (auto it = pads.find(event.cdevice.which); it != pads.end()) {
        SDL_GameControllerClose(it->second);
        pads.erase(it);
      }
      // A controller pulled out lets go of everything it held.
      if (controlHeld) Press(EPadButton::kRightShoulder, false);
      repeating.reset();
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (std::optional<EPadButton> button = ButtonOf(event.cbutton.button))
        Press(*button, event.type == SDL_CONTROLLERBUTTONDOWN);
      return true;
    case SDL_CONTROLLERAXISMOTION:
      MoveStick(event.caxis.axis, event.caxis.value);
      return true;
    default:
      return false;
  }
}

void CSdlGamepad::Press(EPadButton button, bool down) {
  if (button == EPadButton::kRightShoulder) controlHeld = down;
  if (CGamepadMap::IsDirection(button)) {
    if (down) {
      repeating = button;
      repeatArmed = false;
    } else if (repeating == button) {
      repeating.reset();
    }
  }
  if (std::optional<SPlatformEvent> event = map.Translate(button, down)) pending.push_back(*event);
}

void CSdlGamepad::MoveStick(uint8_t axis, int value) {
  int* direction = axis == SDL_CONTROLLER_AXIS_LEFTX   ? &stickX
                   : axis == SDL_CONTROLLER_AXIS_LEFTY ? &stickY
                                                       : nullptr;
  if (!direction) return;
  const int now = CGamepadMap::StickDirection(value, *direction);
  if (now == *direction) return;
  const bool across = axis == SDL_CONTROLLER_AXIS_LEFTX;
  const EPadButton negative = across ? EPadButton::kLeft : EPadButton::kUp;
  const EPadButton positive = across ? EPadButton::kRight : EPadButton::kDown;
  if (*direction != 0) Press(*direction < 0 ? negative : positive, false);
  *direction = now;
  if (now != 0) Press(now < 0 ? negative : positive, true);
}

bool CSdlGamepad::Next(uint32_t now, SPlatformEvent& event) {
  if (repeating && pending.empty()) {
    if (!repeatArmed) {
      repeatArmed = true;
      nextRepeat = now + CGamepadMap::kRepeatDelayMs;
    } else if (static_cast<int32_t>(now - nextRepeat) >= 0) {
      nextRepeat = now + CGamepadMap::kRepeatIntervalMs;
      if (std::optional<SPlatformEvent> repeat = map.Translate(*repeating, true)) {
        repeat->keyFlags |= vk::kFlagRepeat;
        pending.push_back(*repeat);
      }
    }
  }
  if (pending.empty()) return false;
  event = pending.front();
  pending.pop_front();
  return true;
}

bool CSdlGamepad::IsKeyHeld(uint32_t virtualKey) const { return virtualKey == vk::kControl && controlHeld; }

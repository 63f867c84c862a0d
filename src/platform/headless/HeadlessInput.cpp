#include "platform/headless/HeadlessInput.h"

#include "platform/VirtualKeys.h"
#include "platform/headless/HeadlessDialogs.h"

namespace {
constexpr uint32_t kMkLButton = 0x0001, kMkShift = 0x0004, kMkControl = 0x0008;
}

CHeadlessInput::CHeadlessInput(CInputScript inputScript, CHeadlessDialogs& d)
    : script(std::move(inputScript)), dialogs(d) {}

void CHeadlessInput::BeginFrame(int64_t frame) {
  for (uint32_t key : held) PushKey(EEventType::kKeyDown, key, vk::kFlagRepeat);
  for (const SInputCommand& command : script.TakeFrame(frame)) Translate(command);
}

bool CHeadlessInput::PollEvent(SPlatformEvent& event) {
  if (queue.empty()) return false;
  event = queue.front();
  queue.pop_front();
  return true;
}

uint32_t CHeadlessInput::MouseFlags() const {
  return (leftDown ? kMkLButton : 0) | (held.count(vk::kShift) ? kMkShift : 0) |
         (held.count(vk::kControl) ? kMkControl : 0);
}

void CHeadlessInput::PushMouse(EEventType type, int32_t x, int32_t y) {
  cursor = {x, y};
  if (type == EEventType::kLButtonDown) leftDown = true;
  if (type == EEventType::kLButtonUp) leftDown = false;
  SPlatformEvent e;
  e.type = type;
  e.x = x;
  e.y = y;
  e.mouseFlags = MouseFlags();
  queue.push_back(e);
}

void CHeadlessInput::PushKey(EEventType type, uint32_t key, uint32_t flags) {
  SPlatformEvent e;
  e.type = type;
  e.key = key;
  e.keyFlags = flags;
  queue.push_back(e);
}

void CHeadlessInput::StartTextInput(const SRect&) {
  textInput = true;
  TypeInto();
}

void CHeadlessInput::TypeInto() {
  if (typed.empty()) return;
  SPlatformEvent e;
  e.type = EEventType::kTextInput;
  e.text = typed.front();
  typed.pop_front();
  queue.push_back(e);
  PushKey(EEventType::kKeyDown, vk::kReturn, 0);
  PushKey(EEventType::kKeyUp, vk::kReturn, 0);
}

void CHeadlessInput::Translate(const SInputCommand& c) {
  using EVerb = SInputCommand::EVerb;
  switch (c.verb) {
    case EVerb::kMove:
      PushMouse(EEventType::kMouseMove, c.x, c.y);
      break;
    case EVerb::kClick:
      PushMouse(EEventType::kMouseMove, c.x, c.y);
      PushMouse(EEventType::kLButtonDown, c.x, c.y);
      PushMouse(EEventType::kLButtonUp, c.x, c.y);
      break;
    case EVerb::kDown:
      PushMouse(EEventType::kLButtonDown, c.x, c.y);
      break;
    case EVerb::kUp:
      PushMouse(EEventType::kLButtonUp, c.x, c.y);
      break;
    case EVerb::kRightClick:
      PushMouse(EEventType::kMouseMove, c.x, c.y);
      PushMouse(EEventType::kRButtonDown, c.x, c.y);
      break;
    case EVerb::kWheel: {
      SPlatformEvent e;
      e.type = EEventType::kMouseWheel;
      e.x = cursor.x;
      e.y = cursor.y;
      e.wheelDelta = c.delta;
      e.mouseFlags = MouseFlags();
      queue.push_back(e);
      break;
    }
    case EVerb::kKey:
      PushKey(EEventType::kKeyDown, c.key, 0);
      PushKey(EEventType::kKeyUp, c.key, 0);
      break;
    case EVerb::kKeyDown:
      if (held.insert(c.key).second) PushKey(EEventType::kKeyDown, c.key, 0);
      break;
    case EVerb::kKeyUp:
      held.erase(c.key);
      PushKey(EEventType::kKeyUp, c.key, 0);
      break;
    case EVerb::kAnswer:
      dialogs.QueueAnswer(c.yes);
      break;
    case EVerb::kType:
      typed.push_back(c.text);
      if (textInput) TypeInto();
      break;
    case EVerb::kClose: {
      SPlatformEvent e;
      e.type = EEventType::kClose;
      queue.push_back(e);
      break;
    }
  }
}

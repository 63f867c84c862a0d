#include "platform/sdl/SdlInput.h"

#include "platform/SingleInstance.h"
#include "platform/VirtualKeys.h"
#include "platform/sdl/SdlWindow.h"

namespace {
constexpr uint32_t kMkLButton = 0x0001, kMkRButton = 0x0002, kMkShift = 0x0004, kMkControl = 0x0008;

uint32_t MouseFlags() {
  const Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
  const SDL_Keymod mod = SDL_GetModState();
  return ((buttons & SDL_BUTTON_LMASK) ? kMkLButton : 0) | ((buttons & SDL_BUTTON_RMASK) ? kMkRButton : 0) |
         ((mod & KMOD_SHIFT) ? kMkShift : 0) | ((mod & KMOD_CTRL) ? kMkControl : 0);
}
}  // namespace

uint32_t CSdlInput::ToVirtualKey(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return vk::kA + static_cast<uint32_t>(key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return vk::k0 + static_cast<uint32_t>(key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return vk::kF1 + static_cast<uint32_t>(key - SDLK_F1);
  if (key >= SDLK_F13 && key <= SDLK_F24) return vk::kF1 + 12 + static_cast<uint32_t>(key - SDLK_F13);
  switch (key) {
    case SDLK_BACKSPACE:
      return vk::kBack;
    case SDLK_TAB:
      return vk::kTab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return vk::kReturn;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return vk::kShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return vk::kControl;
    case SDLK_LALT:
    case SDLK_RALT:
      return vk::kMenu;
    case SDLK_ESCAPE:
      return vk::kEscape;
    case SDLK_SPACE:
      return vk::kSpace;
    case SDLK_PAGEUP:
      return vk::kPrior;
    case SDLK_PAGEDOWN:
      return vk::kNext;
    case SDLK_END:
      return vk::kEnd;
    case SDLK_HOME:
      return vk::kHome;
    case SDLK_LEFT:
      return vk::kLeft;
    case SDLK_UP:
      return vk::kUp;
    case SDLK_RIGHT:
      return vk::kRight;
    case SDLK_DOWN:
      return vk::kDown;
    case SDLK_PRINTSCREEN:
      return vk::kSnapshot;
    case SDLK_INSERT:
      return vk::kInsert;
    case SDLK_DELETE:
      return vk::kDelete;
    default:
      return 0;
  }
}

bool CSdlInput::PollEvent(SPlatformEvent& event) {
  if (instance.TakeRaiseRequest()) window.Raise();
  if (TakeGamepadEvent(event)) return true;
  SDL_Event in;
  while (SDL_PollEvent(&in)) {
    if (gamepad.Handle(in)) {
      if (TakeGamepadEvent(event)) return true;
    } else if (Translate(in, event)) {
      return true;
    }
  }
  return TakeGamepadEvent(event);
}

bool CSdlInput::TakeGamepadEvent(SPlatformEvent& out) {
  if (!gamepad.Next(SDL_GetTicks(), out)) return false;
  if (out.type == EEventType::kMouseWheel) {
    const SPoint p = GetCursorPos();
    out.x = p.x;
    out.y = p.y;
    out.mouseFlags = MouseFlags();
  }
  return true;
}

void CSdlInput::WaitEvent(int timeoutMilliseconds) { SDL_WaitEventTimeout(nullptr, timeoutMilliseconds); }

void CSdlInput::SetMouse(SPlatformEvent& out, EEventType type, int windowX, int windowY) {
  const SPoint game = window.ToGame(windowX, windowY);
  out.type = type;
  out.x = game.x;
  out.y = game.y;
  out.mouseFlags = MouseFlags();
}

bool CSdlInput::Translate(const SDL_Event& in, SPlatformEvent& out) {
  out = SPlatformEvent{};
  switch (in.type) {
    case SDL_QUIT:
      out.type = EEventType::kTerminate;
      return true;
    case SDL_WINDOWEVENT:
      return TranslateWindowEvent(in.window, out);
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      return TranslateKey(in.key, out);
    case SDL_MOUSEMOTION:
      SetMouse(out, EEventType::kMouseMove, in.motion.x, in.motion.y);
      return true;
    case SDL_MOUSEBUTTONDOWN:
      if (in.button.button == SDL_BUTTON_LEFT)
        SetMouse(out, in.button.clicks >= 2 ? EEventType::kLButtonDblClk : EEventType::kLButtonDown,
                 in.button.x, in.button.y);
      else if (in.button.button == SDL_BUTTON_RIGHT)
        SetMouse(out, EEventType::kRButtonDown, in.button.x, in.button.y);
      else
        return false;
      return true;
    case SDL_MOUSEBUTTONUP:
      if (in.button.button != SDL_BUTTON_LEFT) return false;
      SetMouse(out, EEventType::kLButtonUp, in.button.x, in.button.y);
      return true;
    case SDL_TEXTINPUT:
      SetText(out, EEventType::kTextInput, in.text.text, 0);
      return true;
    case SDL_TEXTEDITING:
      SetText(out, EEventType::kTextEditing, in.edit.text, in.edit.start);
      return true;
    case SDL_TEXTEDITING_EXT:
      SetText(out, EEventType::kTextEditing, in.editExt.text, in.editExt.start);
      SDL_free(in.editExt.text);
      return true;
    case SDL_MOUSEWHEEL: {
      SPoint p = GetCursorPos();
      SetMouse(out, EEventType::kMouseWheel, p.x, p.y);
      const int notches = in.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -in.wheel.y : in.wheel.y;
      out.wheelDelta = notches * 120;
      return true;
    }
    default:
      return false;
  }
}

void CSdlInput::SetText(SPlatformEvent& out, EEventType type, const char* text, int32_t cursor) {
  out.type = type;
  out.text = text ? text : "";
  out.editCursor = cursor;
}

bool CSdlInput::TranslateWindowEvent(const SDL_WindowEvent& in, SPlatformEvent& out) {
  switch (in.event) {
    case SDL_WINDOWEVENT_CLOSE:
      out.type = EEventType::kClose;
      return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      out.type = EEventType::kFocusGained;
      return true;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      out.type = EEventType::kFocusLost;
      return true;
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN:
      out.type = EEventType::kMinimized;
      return true;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SHOWN:
      out.type = EEventType::kRestored;
      return true;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      window.OnResized();
      out.type = EEventType::kPaint;
      return true;
    case SDL_WINDOWEVENT_EXPOSED:
      out.type = EEventType::kPaint;
      return true;
    default:
      return false;
  }
}

bool CSdlInput::TranslateKey(const SDL_KeyboardEvent& in, SPlatformEvent& out) {
  const uint32_t key = ToVirtualKey(in.keysym.sym);
  if (key == 0) return false;
  // Alt+Enter is the accelerator that toggles full screen.
  if (in.type == SDL_KEYDOWN && key == vk::kReturn && (in.keysym.mod & KMOD_ALT)) {
    if (in.repeat) return false;
    out.type = EEventType::kToggleScreenMode;
    return true;
  }
  out.type = in.type == SDL_KEYDOWN ? EEventType::kKeyDown : EEventType::kKeyUp;
  out.key = key;
  out.keyFlags = (in.keysym.scancode & 0xFF) | (in.repeat ? vk::kFlagRepeat : 0);
  return true;
}

SPoint CSdlInput::GetCursorPos() {
  int x = 0, y = 0;
  SDL_GetMouseState(&x, &y);
  return window.ToGame(x, y);
}

void CSdlInput::SetCursorPos(int x, int y) {
  SPoint p = window.ToWindow(x, y);
  SDL_WarpMouseInWindow(window.Handle(), p.x, p.y);
}

void CSdlInput::ShowSystemCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

void CSdlInput::SetCapture(bool capture) { SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE); }

bool CSdlInput::IsKeyDown(uint32_t virtualKey) {
  if (gamepad.IsKeyHeld(virtualKey)) return true;
  const SDL_Keymod mod = SDL_GetModState();
  if (virtualKey == vk::kControl) return (mod & KMOD_CTRL) != 0;
  if (virtualKey == vk::kShift) return (mod & KMOD_SHIFT) != 0;
  if (virtualKey == vk::kMenu) return (mod & KMOD_ALT) != 0;
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  for (int sc = 0; sc < count; ++sc)
    if (state[sc] && ToVirtualKey(SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(sc))) == virtualKey)
      return true;
  return false;
}

void CSdlInput::StartTextInput(const SRect& field) {
  const SPoint topLeft = window.ToWindow(field.left, field.top);
  const SPoint bottomRight = window.ToWindow(field.right, field.bottom);
  SDL_Rect rect{topLeft.x, topLeft.y, bottomRight.x - topLeft.x, bottomRight.y - topLeft.y};
  SDL_SetTextInputRect(&rect);
  SDL_StartTextInput();
}

void CSdlInput::StopTextInput() { SDL_StopTextInput(); }

bool CSdlInput::HasFocus() {
  return window.Handle() && (SDL_GetWindowFlags(window.Handle()) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

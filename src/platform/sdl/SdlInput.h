#pragma once
#include <SDL.h>

#include "platform/Events.h"
#include "platform/Input.h"
#include "platform/sdl/SdlGamepad.h"

class CSdlWindow;
class CSingleInstance;

// SDL events turned into window events with Windows virtual-key codes and key flags, plus the
// cursor, capture and key state of the window.
class CSdlInput : public IInput, public IEventSource {
 public:
  CSdlInput(CSdlWindow& window, CSingleInstance& instance) : window(window), instance(instance) {}

  bool PollEvent(SPlatformEvent& event) override;
  void WaitEvent(int timeoutMilliseconds) override;

  SPoint GetCursorPos() override;
  void SetCursorPos(int x, int y) override;
  void ShowSystemCursor(bool show) override;
  void SetCapture(bool capture) override;
  bool IsKeyDown(uint32_t virtualKey) override;
  bool HasFocus() override;
  void SetGamepadKeys(const SGamepadKeys& keys) override { gamepad.SetKeys(keys); }

  // Game controllers: opened with the platform, closed before SDL shuts down.
  CSdlGamepad& Gamepad() { return gamepad; }
  void StartTextInput(const SRect& field) override;
  void StopTextInput() override;

  // The virtual-key code of an SDL key, or 0.
  static uint32_t ToVirtualKey(SDL_Keycode key);

 private:
  bool Translate(const SDL_Event& in, SPlatformEvent& out);
  bool TranslateWindowEvent(const SDL_WindowEvent& in, SPlatformEvent& out);
  bool TranslateKey(const SDL_KeyboardEvent& in, SPlatformEvent& out);
  static void SetText(SPlatformEvent& out, EEventType type, const char* text, int32_t cursor);
  void SetMouse(SPlatformEvent& out, EEventType type, int windowX, int windowY);
  // The next controller event; a wheel notch happens at the cursor.
  bool TakeGamepadEvent(SPlatformEvent& out);

  CSdlWindow& window;
  CSingleInstance& instance;
  CSdlGamepad gamepad;
};

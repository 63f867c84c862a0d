#pragma once
#include <cstdint>
#include <string>

// Window messages as the engine sees them, independent of the backend.
enum class EEventType {
  kMouseMove,
  kLButtonDown,
  kLButtonUp,
  kLButtonDblClk,
  kRButtonDown,
  kMouseWheel,
  kKeyDown,
  kKeyUp,
  kClose,
  kTerminate,  // the session or a signal ends the program: close without asking
  kFocusGained,
  kFocusLost,
  kMinimized,
  kRestored,
  kPaint,
  kToggleScreenMode,
  kTextInput,    // text committed while text input is on (UTF-8 in text)
  kTextEditing,  // the input method's composition changed (UTF-8 in text, cursor in editCursor)
};

struct SPlatformEvent {
  EEventType type = EEventType::kPaint;
  int32_t x = 0, y = 0;     // game-screen pixels for mouse events
  int32_t wheelDelta = 0;   // 120 per notch, positive away from the user
  uint32_t key = 0;         // virtual-key code
  uint32_t keyFlags = 0;    // key-message flags (repeat count and state bits)
  uint32_t mouseFlags = 0;  // MK_* button and modifier bits
  std::string text;         // text events: UTF-8
  int32_t editCursor = 0;   // text editing: the cursor within the composition, in characters
};

class IEventSource {
 public:
  virtual ~IEventSource() = default;
  // Takes the next pending event; false when the queue is empty.
  virtual bool PollEvent(SPlatformEvent& event) = 0;
  // Blocks until an event arrives or the timeout passes.
  virtual void WaitEvent(int timeoutMilliseconds) = 0;
};

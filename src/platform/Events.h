#pragma once
#include <cstdint>

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
};

struct SPlatformEvent {
  EEventType type = EEventType::kPaint;
  int32_t x = 0, y = 0;     // game-screen pixels for mouse events
  int32_t wheelDelta = 0;   // 120 per notch, positive away from the user
  uint32_t key = 0;         // virtual-key code
  uint32_t keyFlags = 0;    // key-message flags (repeat count and state bits)
  uint32_t mouseFlags = 0;  // MK_* button and modifier bits
};

class IEventSource {
 public:
  virtual ~IEventSource() = default;
  // Takes the next pending event; false when the queue is empty.
  virtual bool PollEvent(SPlatformEvent& event) = 0;
  // Blocks until an event arrives or the timeout passes.
  virtual void WaitEvent(int timeoutMilliseconds) = 0;
};

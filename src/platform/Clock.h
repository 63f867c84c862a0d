#pragma once
#include <cstdint>

// The millisecond counter and sleep the frame clock runs on.
class IClock {
 public:
  virtual ~IClock() = default;
  // A 32-bit millisecond counter that wraps like the system tick count.
  virtual uint32_t GetTickCount() = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
};

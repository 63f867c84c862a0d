#pragma once
#include <cstdint>

class CDisplay;
class CRandom;
class IImageDrawer;

// What the pictures (animations, layers, screen effects) need from the engine object. The engine
// implements it; tests use a small double.
class IPictureHost {
 public:
  virtual ~IPictureHost() = default;

  virtual CDisplay& Display() = 0;          // the screen buffer and its dirty spans
  virtual IImageDrawer& ImageDrawer() = 0;  // the engine's draw-image operation
  virtual CRandom& Random() = 0;            // the engine's seeded rand(), 0 to 32767
  virtual int32_t Mode() const = 0;         // engine mode; 7 and 8 bring a screen effect in and out
  virtual int32_t WaitElapsed() const = 0;  // ticks of the timed mode already passed
  virtual int32_t WaitLength() const = 0;   // ticks of the timed mode, 0 for none
  virtual bool AreEffectsOff() const = 0;   // the player switched effects off
  virtual uint32_t FrameTime() const = 0;   // the frame clock's last tick time in milliseconds
  virtual void DiscardElapsedTime() = 0;    // a long operation: the next frame does not jump
};

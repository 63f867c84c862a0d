#pragma once
#include <cstdint>
#include <span>
#include <string>

#include "platform/Geometry.h"

// Whether the screen may be shown to this frame.
enum class EPresentState {
  kReady,  // shown; the caller empties its dirty spans
  kBusy,   // hidden or minimised: keep the spans for a later frame
  kLost,   // the device must be rebuilt; everything is redrawn
};

// The one top-level window whose client area is exactly the game screen.
class IWindow {
 public:
  virtual ~IWindow() = default;
  virtual bool Create(const std::string& titleSjis, int width, int height, bool fullscreen) = 0;
  virtual void Destroy() = 0;
  virtual void SetTitle(const std::string& titleSjis) = 0;
  virtual bool SetFullscreen(bool fullscreen) = 0;
  virtual bool IsFullscreen() const = 0;
  virtual EPresentState GetPresentState() = 0;
  // Copies the given rectangles of the top-down BGRA screen buffer to the window.
  virtual void Present(const uint32_t* pixels, int width, int height, std::span<const SRect> rects) = 0;
  virtual void Raise() = 0;
};

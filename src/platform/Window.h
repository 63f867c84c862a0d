#pragma once
#include <cstdint>
#include <span>
#include <string>

#include "platform/Geometry.h"
#include "platform/SystemInfo.h"
#include "platform/Viewport.h"

// Whether the screen may be shown to this frame.
enum class EPresentState {
  kReady,  // shown; the caller empties its dirty spans
  kBusy,   // hidden or minimised: keep the spans for a later frame
  kLost,   // the device must be rebuilt; everything is redrawn
};

// The size of the window in desktop points (0: chosen from the game screen) and how the picture
// fills it, kept between runs.
struct SWindowPlacement {
  int width = 0;
  int height = 0;
  EScaling scaling = EScaling::kSharp;
  bool operator==(const SWindowPlacement&) const = default;
};

// The one top-level window, showing the game screen.
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
  // The placement to open with (set before Create), and the one to keep: the last size the window
  // had outside full screen.
  virtual void SetPlacement(const SWindowPlacement& /*placement*/) {}
  virtual SWindowPlacement Placement() const { return {}; }
  // The video driver and renderer behind the window, for the start-up log; false when there is
  // no display (nothing is shown anywhere).
  virtual bool DescribeDriver(SDisplayDriverInfo& /*info*/) const { return false; }
};

#pragma once
#include <cstdint>
#include <vector>

#include "platform/Geometry.h"

class IWindow;

// The one 32-bit screen buffer (top-down rows, bytes B, G, R, A) with one dirty span per row.
// Screens mark what changes, drawing clips itself to the spans, and Present shows only the spans.
class CDisplay {
 public:
  struct SSpan {
    int32_t left;
    int32_t right;  // exclusive; the span is empty when left >= right
  };

  // The largest screen side: the buffer of an 8192 x 8192 screen already takes 256 MB.
  static constexpr int kMaxSide = 8192;

  virtual ~CDisplay() = default;

  // Creates the buffer (zero-filled, all dirty) and the presentation for the window. False, with
  // nothing allocated, for a side below 1 or above kMaxSide.
  bool Init(IWindow* window, int width, int height, bool windowed);
  void Shutdown();
  // Switches between window and full screen; a failed switch falls back to the previous mode.
  virtual void ToggleScreenMode();
  bool IsWindowed() const { return windowed; }

  int Width() const { return width; }
  int Height() const { return height; }
  uint32_t* Pixels() { return pixels.data(); }
  const uint32_t* Pixels() const { return pixels.data(); }
  const SSpan& Span(int row) const { return spans[row]; }

  void MarkDirty(const SRect& rect);
  void MarkAllDirty() { MarkDirty({0, 0, width, height}); }
  void ClipToDirty(int row, int32_t& left, int32_t& right) const;
  void FillDirty(uint32_t color);
  // Shows the dirty spans, merging runs of rows with identical spans into one rectangle, and empties
  // them once the window has taken them.
  void Present();
  // The rectangles Present would copy now, in order.
  std::vector<SRect> DirtyRuns() const;
  void ClearSpans();
  // Puts back spans taken from Span (one per row).
  void SetSpans(const std::vector<SSpan>& saved);

 private:
  bool CreateDevice();

  IWindow* window = nullptr;
  int width = 0;
  int height = 0;
  bool windowed = true;
  std::vector<uint32_t> pixels;
  std::vector<SSpan> spans;
};

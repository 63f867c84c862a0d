#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Geometry.h"

class CDisplay;

// Proves that incremental drawing is right: after a frame has been drawn over the dirty spans, the
// same frame is drawn again with the whole screen dirty, and the two pictures must be equal. A
// difference means something changed on screen without being marked before the draw pass.
class CRedrawCheck {
 public:
  // Draws the frame whole with drawFrame into a second picture and compares it with the display's
  // incremental one; the display keeps its incremental pixels and dirty spans. The first differing
  // rectangle, or nothing when both pictures are equal.
  std::optional<SRect> Check(CDisplay& display, const std::function<void()>& drawFrame);
  // The first band of rows in which a and b differ (alpha is not shown and not compared), spanning
  // every differing column of those rows.
  static std::optional<SRect> FirstDifference(const uint32_t* a, const uint32_t* b, int width, int height);

 private:
  std::vector<uint32_t> incremental;
};

#pragma once
#include <cstdint>
#include <string>

#include "platform/Geometry.h"

class CSurface;

// One named rectangle of a layout showing part of an image. Controls know nothing of behaviour:
// screens find them by name, hit-test their rectangles and ask the layout to draw them.
class CLayoutControl {
 public:
  // Screen rectangle, right and bottom exclusive; all 0 until a POS line sets it.
  SRect rect;
  // The pixel of the image that appears at the rectangle's top-left corner.
  int32_t sourceX = 0;
  int32_t sourceY = 0;
  std::string name;
  // The image from the layout's cache (possibly empty when it failed to load), or none.
  const CSurface* image = nullptr;
  // Drawing alpha on the scale 0-255; a control without an ALPHA line draws at 100 of 255.
  int32_t alpha = 100;
};

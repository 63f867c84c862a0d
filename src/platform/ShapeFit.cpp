#include "platform/ShapeFit.h"

SRect FitKeepingShape(int64_t shapeWidth, int64_t shapeHeight, int32_t areaWidth, int32_t areaHeight) {
  if (shapeWidth <= 0 || shapeHeight <= 0) return {0, 0, areaWidth, areaHeight};
  int64_t w = areaWidth, h = areaHeight;
  // Rounded to the nearest pixel, so a picture of the area's own shape fills it exactly.
  if (shapeWidth * areaHeight > shapeHeight * areaWidth)
    h = (areaWidth * shapeHeight * 2 + shapeWidth) / (shapeWidth * 2);
  else
    w = (areaHeight * shapeWidth * 2 + shapeHeight) / (shapeHeight * 2);
  if (w < 1) w = 1;
  if (h < 1) h = 1;
  const int32_t left = static_cast<int32_t>((areaWidth - w) / 2);
  const int32_t top = static_cast<int32_t>((areaHeight - h) / 2);
  return {left, top, left + static_cast<int32_t>(w), top + static_cast<int32_t>(h)};
}

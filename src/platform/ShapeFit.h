#pragma once
#include <cstdint>

#include "platform/Geometry.h"

// The largest rectangle (left, top, right, bottom) of a picture's shape (its displayed width and height, any
// unit) that fits an output area, centred and rounded to the nearest pixel; the rest of the area is left for
// black bars. A shape with a side of 0 fills the whole area. Movies and the smooth window scaling share it.
SRect FitKeepingShape(int64_t shapeWidth, int64_t shapeHeight, int32_t areaWidth, int32_t areaHeight);

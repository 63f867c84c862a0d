// TIM2 textures from memory.
#include "FuzzTarget.h"
#include "SurfaceCheck.h"
#include "gfx/Tim2Decoder.h"

ZEL_FUZZ_TARGET(tim2) {
  CSurface surface;
  DecodeTim2(data, size, surface);
  ReadEveryPixel(surface);
  return 0;
}

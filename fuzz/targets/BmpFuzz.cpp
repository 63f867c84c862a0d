// Windows bitmaps from memory: every depth, masks and both run-length codings.
#include "FuzzTarget.h"
#include "SurfaceCheck.h"
#include "gfx/BmpDecoder.h"

ZEL_FUZZ_TARGET(bmp) {
  CSurface surface;
  DecodeBmp(data, size, surface);
  ReadEveryPixel(surface);
  return 0;
}

// PNG decoding through a file object, as archive entries and loose files reach it.
#include <vector>

#include "FuzzTarget.h"
#include "SurfaceCheck.h"
#include "gfx/PngDecoder.h"
#include "io/PackMemFile.h"

ZEL_FUZZ_TARGET(png) {
  CPackMemFile file(std::vector<uint8_t>(data, data + size));
  CSurface surface;
  DecodePng(file, surface);
  ReadEveryPixel(surface);
  return 0;
}

#include "gfx/ImageLoader.h"

#include <memory>
#include <vector>

#include "gfx/BmpDecoder.h"
#include "gfx/PngDecoder.h"
#include "gfx/Surface.h"
#include "gfx/Tim2Decoder.h"
#include "io/PackArchive.h"
#include "io/Path.h"

bool LoadImageFile(const std::string& name, CSurface& surface) {
  surface.Clear();
  const std::string extension = GetExtension(name);
  if (extension == "PNG") {
    std::unique_ptr<CReadFile> file = CPackArchive::Instance().OpenFile(name);
    return file && DecodePng(*file, surface);
  }
  std::vector<uint8_t> content;
  if (!CPackArchive::Instance().LoadFile(name, content)) return false;
  if (extension == "TM2") return DecodeTim2(content.data(), content.size(), surface);
  return DecodeBmp(content.data(), content.size(), surface);
}

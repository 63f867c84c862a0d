// zeltool img2png GAME_DIR NAME OUT: an image decoded by the engine's loaders, written as RGBA PNG.
#include <filesystem>

#include "ToolCommand.h"
#include "gfx/PngWriter.h"
#include "gfx/Surface.h"
#include "io/ArchiveTree.h"
#include "io/PackArchive.h"

namespace {

int Img2Png(const std::vector<std::string>& args) {
  if (args.size() != 3) return ToolFail("usage: zeltool img2png GAME_DIR NAME OUT");
  std::string name;
  if (!CArchiveTree::ToShiftJisName(args[1], name))
    return ToolFail(args[1] + ": the name has characters without a Shift JIS form");
  // The output path is taken before the working directory moves to the game folder.
  std::error_code error;
  const std::filesystem::path out = std::filesystem::absolute(args[2], error);
  if (!LoadGameSettings(args[0])) return 1;
  CSurface image;
  if (!image.Load(name)) {
    return ToolFail(args[1] + (CPackArchive::Instance().Exists(name) ? ": not a valid PNG, TIM2 or BMP image"
                                                                     : ": not found"));
  }
  if (!CPngWriter::Write(out.string(), image.Pixels(), image.Width(), image.Height(), image.Width(), true)) {
    return ToolFail(args[2] + ": cannot write");
  }
  return 0;
}

const CToolCommand kImg2Png("img2png", "img2png GAME_DIR NAME OUT",
                            "decode a PNG, TIM2 or BMP image of the game into an RGBA PNG", Img2Png);

}  // namespace

// zeltool cat GAME_DIR NAME: a file as the engine's file layer reads it.
#include <cstdio>

#include "ToolCommand.h"
#include "io/ArchiveFile.h"
#include "io/ArchiveTree.h"
#include "io/PackArchive.h"
#include "io/Path.h"
#include "persist/Settings.h"

namespace {

// Sounds are streamed by the engine, stored unchanged: they are read as a stream when the stored
// bytes begin with a sound file's magic; everything else is decoded as LoadFile decodes it.
bool ReadAsEngine(const std::string& name, std::vector<uint8_t>& content) {
  uint32_t size = 0;
  if (FILE* stream = CPackArchive::Instance().OpenStream(name, size)) {
    content.resize(size);
    size_t got = std::fread(content.data(), 1, size, stream);
    std::fclose(stream);
    if (got == size && CArchiveFile::IsSoundMagic(content.data(), content.size())) return true;
  }
  return CPackArchive::Instance().LoadFile(name, content);
}

int Cat(const std::vector<std::string>& args) {
  if (args.size() != 2) return ToolFail("usage: zeltool cat GAME_DIR NAME");
  std::string name;
  if (!CArchiveTree::ToShiftJisName(args[1], name))
    return ToolFail(args[1] + ": the name has characters without a Shift JIS form");
  if (!SetExeDirectoryCurrent(args[0])) return ToolFail(args[0] + ": cannot enter the game folder");
  // The settings loader mounts the system archive and the archives its rows name; it reports a
  // failure on standard error itself.
  if (!settings::LoadSettings()) return 1;
  std::vector<uint8_t> content;
  if (!ReadAsEngine(name, content)) return ToolFail(args[1] + ": not found");
  if (!content.empty() && std::fwrite(content.data(), 1, content.size(), stdout) != content.size())
    return ToolFail("cannot write to standard output");
  return std::fflush(stdout) == 0 ? 0 : ToolFail("cannot write to standard output");
}

const CToolCommand kCat(
    "cat", "cat GAME_DIR NAME",
    "write a data file as the game reads it (archives, then loose files) to standard output", Cat);

}  // namespace

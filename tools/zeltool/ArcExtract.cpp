#include <filesystem>
#include <fstream>

#include "ArcCommands.h"
#include "ToolCommand.h"
#include "io/ArchiveFile.h"
#include "io/ShiftJis.h"

namespace fs = std::filesystem;

namespace {

// The file an entry is written to below dir. Entry names come from the archive, so a name that
// would leave the folder ("..", a root, an empty part) is refused.
bool OutputPath(const fs::path& dir, const std::string& name, fs::path& out) {
  out = dir;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = sjis::FindFirst(name, '\\', start);
    size_t slash = sjis::FindFirst(name, '/', start);
    end = std::min(end == std::string::npos ? name.size() : end,
                   slash == std::string::npos ? name.size() : slash);
    std::string part = name.substr(start, end - start);
    if (part.empty() || part == "." || part == ".." || part.find('\0') != std::string::npos) return false;
    out /= sjis::ToUtf8(part);
    start = end + 1;
  }
  return true;
}

}  // namespace

int ArcExtract(const std::vector<std::string>& args) {
  std::unique_ptr<CArchiveFile> archive = CArchiveFile::Open(args[0]);
  if (!archive) return ToolFail(args[0] + ": not a readable ARC2 archive");
  const fs::path dir = args[1];
  std::vector<fs::path> outputs;
  for (const CArchiveFile::SEntry& entry : archive->Entries()) {
    outputs.emplace_back();
    if (!OutputPath(dir, entry.name, outputs.back()))
      return ToolFail(args[0] + ": unsafe entry name " + sjis::ToUtf8(entry.name));
  }
  for (size_t i = 0; i < outputs.size(); ++i) {
    const CArchiveFile::SEntry& entry = archive->Entries()[i];
    std::vector<uint8_t> content;
    if (!archive->ReadEntry(entry, archive->StoredCoding(entry), content))
      return ToolFail(args[0] + ": entry " + sjis::ToUtf8(entry.name) + " is damaged");
    std::error_code ec;
    fs::create_directories(outputs[i].parent_path(), ec);
    std::ofstream out(outputs[i], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(content.size()));
    if (!out) return ToolFail(outputs[i].string() + ": cannot be written");
  }
  return 0;
}

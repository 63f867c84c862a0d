#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ArcCommands.h"
#include "ToolCommand.h"
#include "io/ArchiveWriter.h"

namespace fs = std::filesystem;

namespace {

// The entry name of a file: its path relative to the packed folder with '\' separators, each
// part converted to Shift JIS.
bool EntryName(const fs::path& relative, std::string& name, std::string& error) {
  name.clear();
  for (const fs::path& part : relative) {
    std::string sjisPart;
    if (!ToShiftJisName(part.string(), sjisPart)) {
      error = relative.string() + ": the name has characters without a Shift JIS form";
      return false;
    }
    name += (name.empty() ? "" : "\\") + sjisPart;
  }
  if (name.size() > 255) {
    error = relative.string() + ": the name is longer than 255 bytes";
    return false;
  }
  return true;
}

}  // namespace

int ArcPack(const std::vector<std::string>& args) {
  const fs::path out = args[0];
  const fs::path dir = args[1];
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) return ToolFail(dir.string() + ": not a folder");
  std::vector<fs::path> files;
  for (fs::recursive_directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file(ec)) files.push_back(it->path());
  if (ec) return ToolFail(dir.string() + ": " + ec.message());
  std::sort(files.begin(), files.end());
  CArchiveWriter writer;
  for (const fs::path& file : files) {
    std::string name, error;
    if (!EntryName(fs::relative(file, dir), name, error)) return ToolFail(error);
    std::ifstream in(file, std::ios::binary);
    std::vector<uint8_t> content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) return ToolFail(file.string() + ": cannot be read");
    if (!writer.Add(name, content)) return ToolFail(file.string() + ": cannot be stored");
  }
  if (!writer.Write(out.string())) return ToolFail(out.string() + ": cannot be written");
  return 0;
}

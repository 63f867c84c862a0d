#include "io/ArchiveTree.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "io/ArchiveFile.h"
#include "io/ArchiveWriter.h"
#include "io/ShiftJis.h"

namespace fs = std::filesystem;

namespace {

// The entry name of a file: its path relative to the packed folder with '\' separators.
bool EntryName(const fs::path& relative, std::string& name, std::string& error) {
  name.clear();
  for (const fs::path& part : relative) {
    std::string sjisPart;
    if (!CArchiveTree::ToShiftJisName(part.string(), sjisPart)) {
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

bool ListFiles(const fs::path& dir, std::vector<fs::path>& files, std::string& error) {
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) {
    error = dir.string() + ": not a folder";
    return false;
  }
  for (fs::recursive_directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file(ec)) files.push_back(it->path());
  if (ec) error = dir.string() + ": " + ec.message();
  std::sort(files.begin(), files.end());
  return !ec;
}

bool ReadWhole(const fs::path& file, std::vector<uint8_t>& content) {
  std::error_code ec;
  const uintmax_t size = fs::file_size(file, ec);
  std::ifstream in(file, std::ios::binary);
  if (ec || !in) return false;
  content.resize(static_cast<size_t>(size));
  return static_cast<bool>(
      in.read(reinterpret_cast<char*>(content.data()), static_cast<std::streamsize>(size)));
}

}  // namespace

bool CArchiveTree::ToShiftJisName(const std::string& name, std::string& sjisName) {
  if (!sjis::IsValidUtf8(name)) {
    sjisName = name;
    return true;
  }
  bool ok = true;
  sjisName = sjis::FromUtf8(name, &ok);
  return ok;
}

bool CArchiveTree::OutputPath(const std::string& entryName, std::string& relative) {
  relative.clear();
  size_t start = 0;
  while (start <= entryName.size()) {
    size_t end = std::min(sjis::FindFirst(entryName, '\\', start), sjis::FindFirst(entryName, '/', start));
    if (end == std::string::npos) end = entryName.size();
    std::string part = entryName.substr(start, end - start);
    if (part.empty() || part == "." || part == ".." || part.find('\0') != std::string::npos) return false;
    relative += (relative.empty() ? "" : "/") + sjis::ToUtf8(part);
    start = end + 1;
  }
  return true;
}

bool CArchiveTree::Pack(const std::string& out, const std::string& dir, std::string& error) {
  std::vector<fs::path> files;
  if (!ListFiles(dir, files, error)) return false;
  std::vector<std::string> names(files.size());
  for (size_t i = 0; i < files.size(); ++i)
    if (!EntryName(fs::relative(files[i], dir), names[i], error)) return false;
  CArchiveWriter writer;
  if (!writer.Open(out, names)) {
    error = out + ": cannot be written";
    return false;
  }
  for (const fs::path& file : files) {
    std::vector<uint8_t> content;
    if (!ReadWhole(file, content)) {
      error = file.string() + ": cannot be read";
      return false;
    }
    if (!writer.Add(content)) {
      error = out + ": cannot be written (more than 4 GiB?)";
      return false;
    }
  }
  if (writer.Close()) return true;
  error = out + ": cannot be written";
  return false;
}

bool CArchiveTree::Extract(const std::string& archivePath, const std::string& dir, std::string& error) {
  std::unique_ptr<CArchiveFile> archive = CArchiveFile::Open(archivePath);
  if (!archive) {
    error = archivePath + ": not a readable ARC2 archive";
    return false;
  }
  std::vector<std::string> outputs(archive->Entries().size());
  for (size_t i = 0; i < outputs.size(); ++i) {
    if (OutputPath(archive->Entries()[i].name, outputs[i])) continue;
    error = archivePath + ": unsafe entry name " + sjis::ToUtf8(archive->Entries()[i].name);
    return false;
  }
  for (size_t i = 0; i < outputs.size(); ++i) {
    const CArchiveFile::SEntry& entry = archive->Entries()[i];
    std::vector<uint8_t> content;
    if (!archive->ReadEntry(entry, archive->StoredCoding(entry), content)) {
      error = archivePath + ": entry " + sjis::ToUtf8(entry.name) + " is damaged";
      return false;
    }
    const fs::path target = fs::path(dir) / outputs[i];
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    std::ofstream file(target, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(content.size()));
    if (!file) {
      error = target.string() + ": cannot be written";
      return false;
    }
  }
  return true;
}

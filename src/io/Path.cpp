#include "io/Path.h"

#include <unistd.h>

#include "io/LooseFiles.h"
#include "io/ShiftJis.h"
#include "platform/Platform.h"

namespace {

std::string& BaseDirectory() {
  static std::string base;
  return base;
}

bool EqualsIgnoringCase(const std::string& a, size_t length, const std::string& b) {
  if (a.size() < length || b.size() < length) return false;
  return sjis::ToUpperAscii(a.substr(0, length)) == sjis::ToUpperAscii(b.substr(0, length));
}

// Cuts dir just after its last '\' (empty when there is none).
std::string CutAfterLastSeparator(const std::string& dir) {
  size_t slash = sjis::FindLast(dir, '\\');
  return slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
}

}  // namespace

std::string SetBaseDirectory(std::string path) {
  std::string previous = BaseDirectory();
  BaseDirectory() = CutAfterLastSeparator(path);
  return previous;
}

std::string ResolveBeside(const std::string& file, const std::string& name) {
  const std::string previous = SetBaseDirectory(file);
  std::string resolved = ResolvePath(name);
  SetBaseDirectory(previous);
  return resolved;
}

std::string ResolvePath(const std::string& relative) {
  const std::string& base = BaseDirectory();
  if (base.empty() || relative.empty()) return relative;
  std::string dir = base;
  size_t start = 0;
  while (relative.compare(start, 3, "..\\") == 0) {
    if (!dir.empty() && dir.back() == '\\') dir.pop_back();
    dir = CutAfterLastSeparator(dir);
    start += 3;
  }
  return dir + relative.substr(start);
}

std::string MakeRelativePath(const std::string& path) {
  // The argument is already relative to the working directory, so it is compared with the base
  // directory as it stands; resolving it against the base first would name another file.
  if (BaseDirectory().empty() || path.empty()) return path;
  std::string dir = BaseDirectory();
  std::string up;
  while (!dir.empty()) {
    if (EqualsIgnoringCase(path, dir.size(), dir)) return up + path.substr(dir.size());
    dir.pop_back();
    dir = CutAfterLastSeparator(dir);
    up += "..\\";
  }
  // Nothing in common: a relative path climbs out of the whole base directory; an absolute one
  // (a drive or a root) cannot be expressed relatively and stays as it is.
  bool absolute = path[0] == '\\' || path[0] == '/' || (path.size() > 1 && path[1] == ':');
  return absolute ? path : up + path;
}

bool StaysInsideFolder(const std::string& path) {
  if (path.empty() || path[0] == '\\' || path[0] == '/' || (path.size() >= 2 && path[1] == ':')) return false;
  // Parts end at a backslash or '/'; the trail byte of a two-byte character is never a separator.
  size_t start = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && sjis::IsLeadByte(static_cast<unsigned char>(path[i]))) {
      ++i;
      continue;
    }
    if (i < path.size() && path[i] != '\\' && path[i] != '/') continue;
    if (path.compare(start, i - start, "..") == 0 && i - start == 2) return false;
    start = i + 1;
  }
  return true;
}

std::string GetExtension(const std::string& path) {
  size_t dot = sjis::FindLast(path, '.');
  size_t slash = sjis::FindLast(path, '\\');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::string();
  return sjis::ToUpperAscii(path.substr(dot + 1));
}

bool SetExeDirectoryCurrent(const std::string& gameDir) {
  std::string dir = gameDir;
  if (dir.empty() && HasPlatform()) dir = ThePlatform().Files().ExecutableDirectory();
  if (dir.empty()) return false;
  CLooseFiles::Instance().ForgetListings();
  return chdir(dir.c_str()) == 0;
}

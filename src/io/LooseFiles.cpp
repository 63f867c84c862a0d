#include "io/LooseFiles.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "io/ShiftJis.h"

namespace {

bool IsRegularFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

int64_t ModificationTime(const std::string& dir) {
  struct stat info;
  if (stat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return -1;
  return static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

// Byte-wise ASCII upper case: file-system names are UTF-8 or raw bytes, not Shift JIS.
std::string UpperBytes(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  return dir.back() == '/' ? dir + name : dir + "/" + name;
}

}  // namespace

CLooseFiles& CLooseFiles::Instance() {
  static CLooseFiles instance;
  return instance;
}

std::string CLooseFiles::ToHostPath(const std::string& dataPath) {
  return sjis::ToUtf8(sjis::ReplaceChar(dataPath, '\\', '/'));
}

void CLooseFiles::ForgetListings() { listings.clear(); }

const CLooseFiles::SListing* CLooseFiles::Listing(const std::string& dir) {
  const std::string key = dir.empty() ? "." : dir;
  int64_t modified = ModificationTime(key);
  if (modified < 0) return nullptr;
  SListing& listing = listings[key];
  if (listing.modified == modified) return &listing;
  listing = SListing{modified, {}, {}};
  if (DIR* handle = opendir(key.c_str())) {
    while (dirent* entry = readdir(handle)) {
      listing.names.insert(entry->d_name);
      listing.byUpperName[UpperBytes(entry->d_name)].push_back(entry->d_name);
    }
    closedir(handle);
  }
  return &listing;
}

std::vector<std::string> CLooseFiles::Matches(const std::string& dir, const std::string& component) {
  if (component == "..") return {component};
  const SListing* listing = Listing(dir);
  if (!listing) return {};
  std::vector<std::string> candidates{component};
  std::string utf8 = sjis::ToUtf8(component);
  if (utf8 != component) candidates.push_back(utf8);
  std::vector<std::string> matches;
  for (const std::string& candidate : candidates)
    if (listing->names.count(candidate)) matches.push_back(candidate);
  for (const std::string& candidate : candidates) {
    auto it = listing->byUpperName.find(UpperBytes(candidate));
    if (it == listing->byUpperName.end()) continue;
    for (const std::string& name : it->second)
      if (std::find(matches.begin(), matches.end(), name) == matches.end()) matches.push_back(name);
  }
  return matches;
}

std::string CLooseFiles::Resolve(const std::string& dir, const std::vector<std::string>& components,
                                 size_t index) {
  if (index == components.size()) return IsRegularFile(dir) ? dir : std::string();
  for (const std::string& match : Matches(dir, components[index])) {
    std::string found = Resolve(JoinPath(dir, match), components, index + 1);
    if (!found.empty()) return found;
  }
  return std::string();
}

std::string CLooseFiles::Find(const std::string& dataPath) {
  if (dataPath.empty()) return std::string();
  std::string exact = sjis::ReplaceChar(dataPath, '\\', '/');
  if (IsRegularFile(exact)) return exact;
  std::vector<std::string> components;
  size_t start = 0;
  while (start <= exact.size()) {
    size_t end = sjis::FindFirst(exact, '/', start);
    if (end == std::string::npos) end = exact.size();
    std::string component = exact.substr(start, end - start);
    if (!component.empty() && component != ".") components.push_back(component);
    start = end + 1;
  }
  if (components.empty()) return std::string();
  return Resolve(exact.front() == '/' ? "/" : "", components, 0);
}

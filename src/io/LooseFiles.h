#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// Finds loose game files on a case-sensitive UTF-8 file system although the games were authored on
// a case-insensitive one with '\' separators and Shift JIS names. Directory listings are cached and
// read again only when a folder's modification time changes.
class CLooseFiles {
 public:
  static CLooseFiles& Instance();

  // The file-system path of an existing regular file named by a data path, or empty. The exact
  // name wins; otherwise each component is matched ignoring ASCII case, as Shift JIS bytes and as
  // its UTF-8 form.
  std::string Find(const std::string& dataPath);
  // The file-system path for creating a file named by a data path: '\' becomes '/' and the name is
  // converted to UTF-8.
  static std::string ToHostPath(const std::string& dataPath);
  // Drops the cached listings (the working directory changed).
  void ForgetListings();

 private:
  struct SListing {
    int64_t modified = -1;
    std::unordered_set<std::string> names;
    std::unordered_map<std::string, std::vector<std::string>> byUpperName;
  };

  const SListing* Listing(const std::string& dir);
  // The names in dir that a component may stand for, best first.
  std::vector<std::string> Matches(const std::string& dir, const std::string& component);
  // Follows components[index...] from dir, trying every match of each (folders that differ only
  // in case may both exist); empty when no regular file is reached.
  std::string Resolve(const std::string& dir, const std::vector<std::string>& components, size_t index);

  std::unordered_map<std::string, SListing> listings;
};

#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>

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
    std::unordered_map<std::string, std::string> byUpperName;  // the first name of each spelling
  };

  const SListing* Listing(const std::string& dir);
  std::string FindComponent(const std::string& dir, const std::string& component);

  std::unordered_map<std::string, SListing> listings;
};

#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "io/ArchiveFile.h"
#include "io/ReadFile.h"

// Process-wide access to game data: mounted "ARC2" archives first, then loose files.
// Names are Shift JIS data paths with '\' separators, compared with the archives' entries in upper
// case; archives are searched in mount order.
class CPackArchive {
 public:
  static CPackArchive& Instance();

  // Mounts an archive file (a data path) so that its entries answer to prefix + '\' + entry name
  // (to every name when prefix is empty). False when the file is missing, foreign or its index is
  // cut short.
  bool Mount(const std::string& archiveFile, const std::string& prefix);
  // The whole decoded content; false when no archive or loose file holds the name.
  bool LoadFile(const std::string& name, std::vector<uint8_t>& content);
  // A decoded archive entry or an open loose file; null when neither exists or the entry is damaged.
  std::unique_ptr<CReadFile> OpenFile(const std::string& name);
  // A stream positioned at the first byte of the data, read unchanged; size receives the length.
  FILE* OpenStream(const std::string& name, uint32_t& size);
  // True when an archive's index holds the name or a loose file of that name exists.
  bool Exists(const std::string& name);
  // Writes the list of mounted archives with their lengths to the system log.
  void LogArchives();
  // Forgets every mounted archive (tests and a reloaded game).
  void UnmountAll();

 private:
  struct SMounted {
    std::string path;       // as passed to Mount
    std::string prefixKey;  // upper-cased prefix and '\', or empty
    std::unique_ptr<CArchiveFile> archive;
  };
  // Calls use(archive, entry) for each archive holding the name, in mount order, until it succeeds.
  template <typename Use>
  bool ForEachHolder(const std::string& name, Use use) const;
  static std::unique_ptr<CReadFile> OpenLooseFile(const std::string& name);

  std::vector<SMounted> mounted;
};

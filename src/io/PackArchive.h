#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "io/ReadFile.h"

// Process-wide access to game data: mounted "ARC2" archives first, then loose files.
// Names are Shift JIS data paths with '\' separators.
class CPackArchive {
public:
  static CPackArchive& Instance();

  bool Mount(const std::string& archiveFile, const std::string& prefix);
  // The whole decoded content; false when no archive or loose file holds the name.
  bool LoadFile(const std::string& name, std::vector<uint8_t>& content);
  std::unique_ptr<CReadFile> OpenFile(const std::string& name);
  // A stream positioned at the first byte of the data, read unchanged; size receives the length.
  FILE* OpenStream(const std::string& name, uint32_t& size);
  bool Exists(const std::string& name);
  void LogArchives();
  // Forgets every mounted archive (tests and a reloaded game).
  void UnmountAll();
};

#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

// Writes an "ARC2" archive the way the engine reads it: names complemented, entries named *.png
// complemented, sound files (beginning "OggS", "RIFF" or "SShd") plain so they can be streamed,
// everything else LZSS-compressed. Entries are written one at a time, so packing a large game
// holds one file in memory at a time: the index size follows from the names alone, so the data is
// written after room for the index, and the index is filled in at the end.
class CArchiveWriter {
 public:
  CArchiveWriter() = default;
  ~CArchiveWriter();
  CArchiveWriter(const CArchiveWriter&) = delete;
  CArchiveWriter& operator=(const CArchiveWriter&) = delete;

  // Creates the archive for entries of these names (Shift JIS paths relative to the mount prefix,
  // '\' separators). False when a name is empty or longer than 255 bytes, or the file cannot be
  // created.
  bool Open(const std::string& hostPath, const std::vector<std::string>& names);
  // Adds the content of the next name. False when it cannot be written or the archive would pass
  // 4 GiB.
  bool Add(const std::vector<uint8_t>& content);
  // Writes the index once every name has its content; false when that fails.
  bool Close();

  // Open, Add and Close for entries held in memory.
  static bool WriteAll(const std::string& hostPath,
                       const std::vector<std::pair<std::string, std::vector<uint8_t>>>& entries);
  // The stored bytes of one entry's content.
  static std::vector<uint8_t> Encode(const std::string& name, const std::vector<uint8_t>& content);

 private:
  struct SEntry {
    std::string name;
    uint32_t offset = 0;
    uint32_t size = 0;
  };
  FILE* file = nullptr;
  std::vector<SEntry> entries;
  size_t added = 0;
  uint64_t offset = 0;
  bool failed = false;
};

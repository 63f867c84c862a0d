#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Builds an "ARC2" archive the way the engine reads it: names complemented, entries named *.png
// complemented, sound files (beginning "OggS", "RIFF" or "SShd") plain so they can be streamed,
// everything else LZSS-compressed.
class CArchiveWriter {
 public:
  // Adds an entry; name is a Shift JIS path relative to the mount prefix with '\' separators.
  // False when the name is empty or longer than 255 bytes.
  bool Add(const std::string& name, const std::vector<uint8_t>& content);
  // Writes the archive to a file-system path. False when it cannot be written or grew past 4 GiB.
  bool Write(const std::string& hostPath) const;
  // The stored bytes of one entry's content.
  static std::vector<uint8_t> Encode(const std::string& name, const std::vector<uint8_t>& content);

 private:
  struct SEntry {
    std::string name;
    uint32_t size = 0;
    std::vector<uint8_t> stored;
  };
  std::vector<SEntry> entries;
};

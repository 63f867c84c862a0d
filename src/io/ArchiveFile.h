#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// One "ARC2" archive file: its index read at open time, entries decoded on request. Index entries
// whose data cannot lie inside the file are dropped, so a damaged index never leads a read outside
// the file.
class CArchiveFile {
 public:
  struct SEntry {
    std::string name;  // as stored (Shift JIS, '\' separators), not upper-cased
    uint32_t offset = 0;
    uint32_t size = 0;
  };
  // How an entry's bytes are stored.
  enum class ECoding { kComplement, kLzss, kPlain };

  // Reads the index of the file at hostPath; null when it cannot be opened, does not begin with
  // "ARC2" or its index is cut short.
  static std::unique_ptr<CArchiveFile> Open(const std::string& hostPath);

  // The entry stored under a name in upper case (a later entry of one name replaces an earlier).
  const SEntry* Find(const std::string& upperName) const;
  // Every index entry that was kept, in index order.
  const std::vector<SEntry>& Entries() const { return entries; }
  uint64_t FileLength() const { return fileLength; }
  const std::string& HostPath() const { return hostPath; }

  // The coding the engine reads a name with: PNG complemented, everything else LZSS.
  static ECoding CodingForName(const std::string& name);
  // True when data begins like a sound file the engine streams unchanged ("OggS", "RIFF", "SShd").
  static bool IsSoundMagic(const uint8_t* data, size_t size);
  // The coding of a stored entry as the packer chose it: PNG names complemented, data that begins
  // with a sound magic plain, everything else LZSS.
  ECoding StoredCoding(const SEntry& entry) const;
  // Decodes an entry whole. False when the archive cannot be opened or the data ends early.
  bool ReadEntry(const SEntry& entry, ECoding coding, std::vector<uint8_t>& content) const;
  // The archive opened at the entry's data; size receives its length, cut at the end of the file.
  FILE* OpenEntryStream(const SEntry& entry, uint32_t& size) const;

 private:
  CArchiveFile(std::string path, uint64_t length) : hostPath(std::move(path)), fileLength(length) {}
  bool ReadIndex(FILE* file);
  bool EntryFits(const SEntry& entry) const;

  std::string hostPath;
  uint64_t fileLength;
  std::vector<SEntry> entries;
  std::unordered_map<std::string, size_t> byName;
};

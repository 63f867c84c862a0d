#include "io/ArchiveFile.h"

#include <sys/stat.h>

#include <cstring>

#include "io/ByteInput.h"
#include "io/LzssDecoder.h"
#include "io/Path.h"
#include "io/ShiftJis.h"

namespace {

constexpr char kMagic[4] = {'A', 'R', 'C', '2'};

bool ReadU32(FILE* file, uint32_t& value) {
  uint8_t b[4];
  if (std::fread(b, 1, 4, file) != 4) return false;
  value = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
  return true;
}

struct SFileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, SFileCloser>;

}  // namespace

std::unique_ptr<CArchiveFile> CArchiveFile::Open(const std::string& hostPath) {
  FilePtr file(std::fopen(hostPath.c_str(), "rb"));
  if (!file) return nullptr;
  struct stat info;
  char magic[4];
  if (fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) return nullptr;
  if (std::fread(magic, 1, 4, file.get()) != 4 || std::memcmp(magic, kMagic, 4) != 0) return nullptr;
  std::unique_ptr<CArchiveFile> archive(new CArchiveFile(hostPath, static_cast<uint64_t>(info.st_size)));
  if (!archive->ReadIndex(file.get())) return nullptr;
  return archive;
}

bool CArchiveFile::ReadIndex(FILE* file) {
  uint32_t count = 0;
  if (!ReadU32(file, count)) return false;
  for (uint32_t i = 0; i < count; ++i) {
    SEntry entry;
    uint8_t length = 0;
    if (!ReadU32(file, entry.offset) || !ReadU32(file, entry.size) || std::fread(&length, 1, 1, file) != 1)
      return false;
    entry.name.resize(length);
    if (length > 0 && std::fread(entry.name.data(), 1, length, file) != length) return false;
    for (char& c : entry.name) c = static_cast<char>(~c);
    if (!EntryFits(entry)) continue;
    byName[sjis::ToUpperAscii(entry.name)] = entries.size();
    entries.push_back(std::move(entry));
  }
  return true;
}

// Complemented (PNG) data must lie inside the file. Other entries are compressed, needing at least
// one stored byte for every nine they produce (a two-byte match yields at most eighteen), or are
// sounds stored plain, whose streams are cut at the end of the file when opened.
bool CArchiveFile::EntryFits(const SEntry& entry) const {
  uint64_t needed = CodingForName(entry.name) == ECoding::kComplement ? entry.size : (entry.size + 8ull) / 9;
  return static_cast<uint64_t>(entry.offset) + needed <= fileLength;
}

const CArchiveFile::SEntry* CArchiveFile::Find(const std::string& upperName) const {
  auto it = byName.find(upperName);
  return it == byName.end() ? nullptr : &entries[it->second];
}

CArchiveFile::ECoding CArchiveFile::CodingForName(const std::string& name) {
  return GetExtension(name) == "PNG" ? ECoding::kComplement : ECoding::kLzss;
}

bool CArchiveFile::IsSoundMagic(const uint8_t* data, size_t size) {
  if (size < 4) return false;
  return std::memcmp(data, "OggS", 4) == 0 || std::memcmp(data, "RIFF", 4) == 0 ||
         std::memcmp(data, "SShd", 4) == 0;
}

CArchiveFile::ECoding CArchiveFile::StoredCoding(const SEntry& entry) const {
  ECoding coding = CodingForName(entry.name);
  if (coding == ECoding::kComplement || entry.size < 4) return coding;
  uint32_t size = 0;
  FilePtr file(OpenEntryStream(entry, size));
  uint8_t head[4];
  if (file && size >= 4 && std::fread(head, 1, 4, file.get()) == 4 && IsSoundMagic(head, 4))
    return ECoding::kPlain;
  return coding;
}

bool CArchiveFile::ReadEntry(const SEntry& entry, ECoding coding, std::vector<uint8_t>& content) const {
  FilePtr file(std::fopen(hostPath.c_str(), "rb"));
  if (!file || std::fseek(file.get(), static_cast<long>(entry.offset), SEEK_SET) != 0) return false;
  content.assign(entry.size, 0);
  if (entry.size == 0) return true;
  if (coding == ECoding::kLzss) {
    CByteInput input(file.get(), fileLength - entry.offset);
    return CLzssDecoder::Decode(input, content.data(), content.size()) == content.size();
  }
  if (std::fread(content.data(), 1, content.size(), file.get()) != content.size()) return false;
  if (coding == ECoding::kComplement)
    for (uint8_t& b : content) b = static_cast<uint8_t>(~b);
  return true;
}

FILE* CArchiveFile::OpenEntryStream(const SEntry& entry, uint32_t& size) const {
  FILE* file = std::fopen(hostPath.c_str(), "rb");
  if (!file) return nullptr;
  if (std::fseek(file, static_cast<long>(entry.offset), SEEK_SET) != 0) {
    std::fclose(file);
    return nullptr;
  }
  uint64_t available = fileLength - entry.offset;
  size = available < entry.size ? static_cast<uint32_t>(available) : entry.size;
  return file;
}

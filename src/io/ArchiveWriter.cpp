#include "io/ArchiveWriter.h"

#include <cstdio>

#include "io/ArchiveFile.h"
#include "io/LzssEncoder.h"

namespace {

void PutU32(std::vector<uint8_t>& out, uint64_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

bool CArchiveWriter::Add(const std::string& name, const std::vector<uint8_t>& content) {
  if (name.empty() || name.size() > 255 || content.size() > UINT32_MAX) return false;
  entries.push_back({name, static_cast<uint32_t>(content.size()), Encode(name, content)});
  return true;
}

std::vector<uint8_t> CArchiveWriter::Encode(const std::string& name, const std::vector<uint8_t>& content) {
  if (CArchiveFile::CodingForName(name) == CArchiveFile::ECoding::kComplement) {
    std::vector<uint8_t> stored(content);
    for (uint8_t& b : stored) b = static_cast<uint8_t>(~b);
    return stored;
  }
  if (CArchiveFile::IsSoundMagic(content.data(), content.size())) return content;
  std::vector<uint8_t> stored = CLzssEncoder::Encode(content.data(), content.size());
  // Compressed data that happened to begin like a sound file would be taken for one when the
  // archive is extracted; a first group of literals starts it with the flag byte 0xFF instead.
  if (CArchiveFile::IsSoundMagic(stored.data(), stored.size()))
    stored = CLzssEncoder::Encode(content.data(), content.size(), true);
  return stored;
}

bool CArchiveWriter::Write(const std::string& hostPath) const {
  std::vector<uint8_t> header{'A', 'R', 'C', '2'};
  PutU32(header, entries.size());
  uint64_t indexSize = 8;
  for (const SEntry& e : entries) indexSize += 9 + e.name.size();
  uint64_t offset = indexSize;
  for (const SEntry& e : entries) {
    if (offset > UINT32_MAX) return false;
    PutU32(header, offset);
    PutU32(header, e.size);
    header.push_back(static_cast<uint8_t>(e.name.size()));
    for (char c : e.name) header.push_back(static_cast<uint8_t>(~c));
    offset += e.stored.size();
  }
  FILE* file = std::fopen(hostPath.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(header.data(), 1, header.size(), file) == header.size();
  for (const SEntry& e : entries)
    ok =
        ok && (e.stored.empty() || std::fwrite(e.stored.data(), 1, e.stored.size(), file) == e.stored.size());
  return (std::fclose(file) == 0) && ok;
}

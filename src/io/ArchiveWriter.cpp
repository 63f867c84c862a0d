#include "io/ArchiveWriter.h"

#include "io/ArchiveFile.h"
#include "io/LzssEncoder.h"

namespace {

void PutU32(std::vector<uint8_t>& out, uint64_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

CArchiveWriter::~CArchiveWriter() {
  if (file) std::fclose(file);
}

bool CArchiveWriter::Open(const std::string& hostPath, const std::vector<std::string>& names) {
  uint64_t indexSize = 8;
  entries.clear();
  for (const std::string& name : names) {
    if (name.empty() || name.size() > 255) return false;
    entries.push_back({name, 0, 0});
    indexSize += 9 + name.size();
  }
  if (indexSize > UINT32_MAX || !(file = std::fopen(hostPath.c_str(), "wb"))) return false;
  added = 0;
  offset = indexSize;
  failed = std::fseek(file, static_cast<long>(indexSize), SEEK_SET) != 0;
  return !failed;
}

bool CArchiveWriter::Add(const std::vector<uint8_t>& content) {
  if (!file || failed || added >= entries.size() || content.size() > UINT32_MAX) return false;
  SEntry& entry = entries[added++];
  const std::vector<uint8_t> stored = Encode(entry.name, content);
  if (offset > UINT32_MAX || offset + stored.size() > UINT32_MAX) failed = true;
  if (!failed && !stored.empty())
    failed = std::fwrite(stored.data(), 1, stored.size(), file) != stored.size();
  entry.offset = static_cast<uint32_t>(offset);
  entry.size = static_cast<uint32_t>(content.size());
  offset += stored.size();
  return !failed;
}

bool CArchiveWriter::Close() {
  if (!file) return false;
  std::vector<uint8_t> index{'A', 'R', 'C', '2'};
  PutU32(index, entries.size());
  for (const SEntry& e : entries) {
    PutU32(index, e.offset);
    PutU32(index, e.size);
    index.push_back(static_cast<uint8_t>(e.name.size()));
    for (char c : e.name) index.push_back(static_cast<uint8_t>(~c));
  }
  bool ok = !failed && added == entries.size() && std::fseek(file, 0, SEEK_SET) == 0 &&
            std::fwrite(index.data(), 1, index.size(), file) == index.size();
  ok = std::fclose(file) == 0 && ok;
  file = nullptr;
  return ok;
}

bool CArchiveWriter::WriteAll(const std::string& hostPath,
                              const std::vector<std::pair<std::string, std::vector<uint8_t>>>& entries) {
  std::vector<std::string> names;
  for (const auto& entry : entries) names.push_back(entry.first);
  CArchiveWriter writer;
  if (!writer.Open(hostPath, names)) return false;
  for (const auto& entry : entries)
    if (!writer.Add(entry.second)) return false;
  return writer.Close();
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

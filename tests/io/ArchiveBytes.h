#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Builds "ARC2" archive bytes by hand: each entry's stored bytes are given exactly as they stand
// in the file; offsets follow the index unless an entry gives its own.
struct SRawEntry {
  std::string name;
  uint32_t size;
  std::vector<uint8_t> stored;
  int64_t offset = -1;
};

inline void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline std::vector<uint8_t> BuildArchive(const std::vector<SRawEntry>& entries) {
  std::vector<uint8_t> out{'A', 'R', 'C', '2'};
  PutLe32(out, static_cast<uint32_t>(entries.size()));
  uint32_t offset = 8;
  for (const SRawEntry& e : entries) offset += 9 + static_cast<uint32_t>(e.name.size());
  for (const SRawEntry& e : entries) {
    PutLe32(out, e.offset >= 0 ? static_cast<uint32_t>(e.offset) : offset);
    PutLe32(out, e.size);
    out.push_back(static_cast<uint8_t>(e.name.size()));
    for (char c : e.name) out.push_back(static_cast<uint8_t>(255 - static_cast<uint8_t>(c)));
    offset += static_cast<uint32_t>(e.stored.size());
  }
  for (const SRawEntry& e : entries) out.insert(out.end(), e.stored.begin(), e.stored.end());
  return out;
}

// Stored bytes of literals only: one flag byte 0xFF per eight bytes, each byte complemented.
inline std::vector<uint8_t> LiteralsOnly(const std::string& text) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (i % 8 == 0) out.push_back(0xFF);
    out.push_back(static_cast<uint8_t>(255 - static_cast<uint8_t>(text[i])));
  }
  return out;
}

inline std::vector<uint8_t> Complemented(const std::string& text) {
  std::vector<uint8_t> out;
  for (char c : text) out.push_back(static_cast<uint8_t>(255 - static_cast<uint8_t>(c)));
  return out;
}

inline std::vector<uint8_t> Bytes(const std::string& text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

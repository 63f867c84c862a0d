#include "persist/RecordFile.h"

#include <cstring>
#include <fstream>

#include "io/AtomicFile.h"
#include "io/ShiftJis.h"

namespace {

constexpr char kMagic[4] = {'S', 'A', 'V', '2'};
constexpr size_t kHeaderSize = 8;
// A save holds a thumbnail and text; a file far beyond that is not one of ours and is not read into
// memory.
constexpr uint64_t kMaxFileSize = 64u << 20;

void PutUint32(uint8_t* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetUint32(const uint8_t* in) {
  return static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8 |
         static_cast<uint32_t>(in[2]) << 16 | static_cast<uint32_t>(in[3]) << 24;
}

// The sum of the stored body as little-endian words, a last partial word padded with zeros.
uint32_t Checksum(const uint8_t* stored, size_t size) {
  uint32_t sum = 0;
  size_t i = 0;
  for (; i + 4 <= size; i += 4) sum += GetUint32(stored + i);
  if (i < size) {
    uint8_t last[4] = {0, 0, 0, 0};
    std::memcpy(last, stored + i, size - i);
    sum += GetUint32(last);
  }
  return sum;
}

bool ReadWholeFile(const std::string& hostPath, std::vector<uint8_t>& bytes) {
  std::ifstream in(hostPath, std::ios::binary | std::ios::ate);
  if (!in) return false;
  std::streamoff size = in.tellg();
  if (size < 0 || static_cast<uint64_t>(size) > kMaxFileSize) return false;
  bytes.resize(static_cast<size_t>(size));
  in.seekg(0);
  return static_cast<bool>(in.read(reinterpret_cast<char*>(bytes.data()), size));
}

// The container test: magic and checksum.
bool PassesTest(const std::vector<uint8_t>& file) {
  if (file.size() < kHeaderSize || std::memcmp(file.data(), kMagic, 4) != 0) return false;
  return Checksum(file.data() + kHeaderSize, file.size() - kHeaderSize) == GetUint32(file.data() + 4);
}

// The longest prefix of at most limit bytes that does not end inside a two-byte character.
size_t CutLength(const std::string& text, size_t limit) {
  size_t i = 0;
  while (i < text.size()) {
    size_t width = sjis::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    if (i + width > limit) break;
    i += width;
  }
  return i;
}

}  // namespace

void CRecordFile::BeginChunk(const char* newTag) {
  if (chunkOpen) EndChunk();
  char padded[4] = {' ', ' ', ' ', ' '};
  std::memcpy(padded, newTag, strnlen(newTag, 4));
  body.insert(body.end(), padded, padded + 4);
  openChunk = body.size();
  body.insert(body.end(), 4, 0);
  chunkOpen = true;
}

void CRecordFile::WriteBytes(const void* data, size_t size) {
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  body.insert(body.end(), bytes, bytes + size);
}

void CRecordFile::WriteInt32(int32_t value) {
  uint8_t bytes[4];
  PutUint32(bytes, static_cast<uint32_t>(value));
  WriteBytes(bytes, 4);
}

void CRecordFile::WriteString(const std::string& text) {
  size_t length = CutLength(text, kMaxString);
  body.push_back(static_cast<uint8_t>(length));
  WriteBytes(text.data(), length);
}

void CRecordFile::WriteBits(const std::vector<bool>& bits) {
  WriteInt32(static_cast<int32_t>(bits.size()));
  std::vector<uint8_t> bytes((bits.size() + 7) / 8, 0);
  for (size_t k = 0; k < bits.size(); ++k)
    if (bits[k]) bytes[k / 8] |= static_cast<uint8_t>(1u << (k % 8));
  WriteBytes(bytes.data(), bytes.size());
}

void CRecordFile::EndChunk() {
  if (!chunkOpen) return;
  PutUint32(body.data() + openChunk, static_cast<uint32_t>(body.size() - openChunk - 4));
  chunkOpen = false;
}

void CRecordFile::WriteEmptyChunk(const char* newTag) {
  BeginChunk(newTag);
  EndChunk();
}

std::vector<uint8_t> CRecordFile::Encode() const {
  std::vector<uint8_t> file(kHeaderSize + body.size());
  std::memcpy(file.data(), kMagic, 4);
  uint8_t* stored = file.data() + kHeaderSize;
  for (size_t i = 0; i < body.size(); ++i) stored[i] = static_cast<uint8_t>(~body[i]);
  if (chunkOpen)  // a chunk not ended yet is stored with its length so far
    PutUint32(stored + openChunk, ~static_cast<uint32_t>(body.size() - openChunk - 4));
  PutUint32(file.data() + 4, Checksum(stored, body.size()));
  return file;
}

bool CRecordFile::WriteToFile(const std::string& hostPath) const {
  return CAtomicFile::Write(hostPath, Encode());
}

bool CRecordFile::Decode(const std::vector<uint8_t>& fileBytes) {
  *this = CRecordFile();
  if (!PassesTest(fileBytes)) return false;
  body.resize(fileBytes.size() - kHeaderSize);
  for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<uint8_t>(~fileBytes[kHeaderSize + i]);
  return true;
}

bool CRecordFile::LoadFromFile(const std::string& hostPath) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(hostPath, bytes)) {
    *this = CRecordFile();
    return false;
  }
  return Decode(bytes);
}

bool CRecordFile::TestFile(const std::string& hostPath) {
  std::vector<uint8_t> bytes;
  return ReadWholeFile(hostPath, bytes) && PassesTest(bytes);
}

bool CRecordFile::NextChunk() {
  if (ended || body.size() - next < 8) return Finish();
  uint32_t length = GetUint32(body.data() + next + 4);
  if (length > body.size() - next - 8) return Finish();
  tag.assign(reinterpret_cast<const char*>(body.data() + next), 4);
  chunkStart = cursor = next + 8;
  chunkEnd = next = chunkStart + length;
  ended = tag == "END ";
  return true;
}

bool CRecordFile::Finish() {
  ended = true;
  tag.clear();
  chunkStart = chunkEnd = cursor = next;
  return false;
}

int32_t CRecordFile::ReadInt32() {
  if (Remaining() < 4) {
    cursor = chunkEnd;
    return 0;
  }
  int32_t value = static_cast<int32_t>(GetUint32(body.data() + cursor));
  cursor += 4;
  return value;
}

std::string CRecordFile::ReadString() {
  if (Remaining() < 1) return std::string();
  size_t length = body[cursor];
  if (Remaining() < 1 + length) {
    cursor = chunkEnd;
    return std::string();
  }
  std::string text(reinterpret_cast<const char*>(body.data() + cursor + 1), length);
  cursor += 1 + length;
  return text;
}

std::vector<uint8_t> CRecordFile::ReadBytes(size_t count) {
  if (Remaining() < count) {
    cursor = chunkEnd;
    return {};
  }
  std::vector<uint8_t> bytes(body.begin() + static_cast<std::ptrdiff_t>(cursor),
                             body.begin() + static_cast<std::ptrdiff_t>(cursor + count));
  cursor += count;
  return bytes;
}

std::vector<bool> CRecordFile::ReadBits() {
  int32_t count = ReadInt32();
  if (count <= 0) return {};
  std::vector<uint8_t> bytes = ReadBytes((static_cast<size_t>(count) + 7) / 8);
  if (bytes.empty()) return {};
  std::vector<bool> bits(static_cast<size_t>(count));
  for (size_t k = 0; k < bits.size(); ++k) bits[k] = (bytes[k / 8] >> (k % 8)) & 1;
  return bits;
}

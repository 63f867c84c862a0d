#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The "SAV2" record container of system.dat and the save files: "SAV2", a checksum, and a body of
// chunks (four-character tag, little-endian length, payload) stored with every byte complemented.
// The checksum is the sum modulo 2^32 of the stored body read as little-endian 32-bit words, a
// last partial word completed with zero bytes.
//
// One object is either being written (chunks appended to the plain body) or being read (a cursor
// over a plain body that passed the container test). Reading never goes outside the body: a read
// past the end of the current chunk yields 0 or an empty value and leaves the cursor at the chunk's
// end, so one short field cannot make the following ones read garbage.
class CRecordFile {
 public:
  static constexpr size_t kMaxString = 255;

  CRecordFile() = default;
  // Reads an existing plain body (a snapshot of the previous-choice ring).
  explicit CRecordFile(std::vector<uint8_t> plainBody) : body(std::move(plainBody)) {}

  // --- Writing ---
  // Starts a chunk (ending one still open); tag is four ASCII characters, a shorter one is padded
  // with blanks.
  void BeginChunk(const char* tag);
  void WriteBytes(const void* data, size_t size);
  void WriteInt32(int32_t value);
  // A length byte and at most 255 bytes; a longer text is cut at 255 bytes without splitting a
  // two-byte Shift JIS character.
  void WriteString(const std::string& text);
  // An int32 count n, then (n + 7) / 8 bytes, item k in bit k mod 8 of byte k / 8.
  void WriteBits(const std::vector<bool>& bits);
  // Fills in the length of the chunk begun last.
  void EndChunk();
  // An empty chunk, such as "END ".
  void WriteEmptyChunk(const char* tag);

  // The body as built, not complemented.
  const std::vector<uint8_t>& PlainBody() const { return body; }
  // The whole file: "SAV2", checksum, complemented body. A chunk still open is stored with the
  // length it has so far.
  std::vector<uint8_t> Encode() const;
  // Writes Encode() to a host path through CAtomicFile (a temporary file renamed over the old one);
  // the folder is created when missing. False (old file untouched) on any failure.
  bool WriteToFile(const std::string& hostPath) const;

  // --- Reading ---
  // The container test: magic and checksum. On success the plain body is loaded and the cursor is
  // before the first chunk; otherwise the object is left empty and false is returned.
  bool Decode(const std::vector<uint8_t>& fileBytes);
  // Reads a host path and decodes it; false when missing, larger than any save (64 MiB) or failing
  // the test.
  bool LoadFromFile(const std::string& hostPath);
  // Header and checksum only (the quick-save test), without keeping the body.
  static bool TestFile(const std::string& hostPath);

  // Moves to the next chunk (skipping whatever of the current one was not read). The "END " chunk
  // is returned like any other; false after it, at the end of the body, or when a chunk header or
  // its length runs past the end of the body (reading stops there for good).
  bool NextChunk();
  const std::string& Tag() const { return tag; }
  uint32_t ChunkLength() const { return chunkEnd - chunkStart; }
  // Bytes of the current chunk not read yet.
  size_t Remaining() const { return chunkEnd - cursor; }
  int32_t ReadInt32();
  std::string ReadString();
  // Empty when fewer than count bytes remain in the chunk.
  std::vector<uint8_t> ReadBytes(size_t count);
  // Empty when the count is not positive or the bytes run past the chunk.
  std::vector<bool> ReadBits();

 private:
  bool Finish();

  std::vector<uint8_t> body;
  size_t openChunk = 0;  // position of the length field of the chunk being written
  bool chunkOpen = false;
  // Reading cursor.
  size_t next = 0;
  size_t chunkStart = 0, chunkEnd = 0, cursor = 0;
  std::string tag;
  bool ended = false;
};

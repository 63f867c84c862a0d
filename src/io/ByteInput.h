#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

// Bytes for the LZSS decoder, from memory or from an open file through a 4096-byte buffer.
class CByteInput {
 public:
  CByteInput(const uint8_t* data, size_t size) : buffer(data), length(size) {}
  // Reads at most limit bytes of file from its current position.
  CByteInput(FILE* source, uint64_t limit) : file(source), remaining(limit) {}

  // The next byte, or -1 at the end of the input.
  int Next() {
    if (position < length) return buffer[position++];
    return Refill() ? buffer[position++] : -1;
  }

  // The next count bytes when the buffer holds them (nothing is consumed), else null.
  const uint8_t* Peek(size_t count) const { return length - position >= count ? buffer + position : nullptr; }
  // Consumes bytes that Peek showed.
  void Skip(size_t count) { position += count; }

 private:
  bool Refill();

  static constexpr size_t kChunk = 4096;
  const uint8_t* buffer = nullptr;
  size_t length = 0;
  size_t position = 0;
  FILE* file = nullptr;
  uint64_t remaining = 0;
  uint8_t chunk[kChunk];
};

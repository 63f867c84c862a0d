#include "io/ByteInput.h"

bool CByteInput::Refill() {
  if (!file || remaining == 0) return false;
  size_t want = remaining < kChunk ? static_cast<size_t>(remaining) : kChunk;
  size_t got = std::fread(chunk, 1, want, file);
  if (got == 0) {
    remaining = 0;
    return false;
  }
  remaining -= got;
  buffer = chunk;
  length = got;
  position = 0;
  return true;
}

#pragma once
#include <cstddef>
#include <cstdint>

#include "io/ByteInput.h"

// The archives' LZSS variant: groups of a flag byte and eight items, least significant bit first;
// a set bit is a literal stored complemented, a clear bit a two-byte match into a 4096-byte ring
// buffer (zero-filled, writing from 4078) of 3 to 18 bytes.
class CLzssDecoder {
 public:
  static constexpr int kRingSize = 4096;
  static constexpr int kRingStart = 4078;
  static constexpr int kMinMatch = 3;
  static constexpr int kMaxMatch = 18;

  // Decodes into out until size bytes were produced or the input ended; returns the number of
  // bytes produced. Truncated or corrupt input only ends the output early.
  static size_t Decode(CByteInput& input, uint8_t* out, size_t size);
};

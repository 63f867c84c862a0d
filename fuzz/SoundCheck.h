#pragma once
#include <cstdint>
#include <vector>

#include "audio/SoundSource.h"

// Opens the bytes with a source and reads it through twice, in uneven pieces, up to a bound: the
// channels read exactly this way, and a rewind must restart decoding cleanly.
inline void ReadSoundThrough(CSoundSource& source, const uint8_t* data, size_t size) {
  constexpr uint32_t kMaxBytes = 1 << 20;
  if (!source.Open(std::vector<uint8_t>(data, data + size))) return;
  uint8_t buffer[4099];
  for (int pass = 0; pass < 2; ++pass) {
    uint32_t total = 0;
    for (uint32_t piece = 1; total < kMaxBytes; piece = piece * 7 % sizeof buffer + 1) {
      const uint32_t got = source.Read(buffer, piece);
      total += got;
      if (got < piece) break;
    }
    source.Rewind();
  }
  source.Close();
}

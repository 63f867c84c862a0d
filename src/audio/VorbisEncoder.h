#pragma once
#include <cstdint>
#include <vector>

// Encodes 16-bit PCM as an Ogg Vorbis file in memory with libvorbisenc (variable bit rate). Used
// to make playable test and sample sounds.
class CVorbisEncoder {
 public:
  // interleaved holds frames of channels samples; quality runs from -0.1 to 1.0. The serial number
  // tells the logical streams of a chained file apart. Empty on failure.
  static std::vector<uint8_t> Encode(const std::vector<int16_t>& interleaved, int channels, long rate,
                                     float quality = 0.4f, int serial = 0x5a454c);
};

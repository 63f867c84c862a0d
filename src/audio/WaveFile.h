#pragma once
#include <cstdint>
#include <vector>

#include "audio/SoundSource.h"

// RIFF WAVE files in memory: a "fmt " chunk (with the extra bytes of non-PCM formats) and one
// "data" chunk.
class CWaveFile {
 public:
  static std::vector<uint8_t> Build(const SWaveFormat& format, const uint8_t* pcm, size_t bytes);
  static std::vector<uint8_t> Build(const SWaveFormat& format, const std::vector<int16_t>& samples);
};

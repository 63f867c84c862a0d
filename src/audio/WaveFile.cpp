#include "audio/WaveFile.h"

namespace {

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

std::vector<uint8_t> CWaveFile::Build(const SWaveFormat& format, const uint8_t* pcm, size_t bytes) {
  const bool hasExtra = format.formatTag != SWaveFormat::kPcm;
  const uint32_t fmtSize = 16 + (hasExtra ? 2 + static_cast<uint32_t>(format.extra.size()) : 0);
  const uint32_t padded = fmtSize + (fmtSize & 1);
  const uint32_t dataBytes = static_cast<uint32_t>(bytes);
  std::vector<uint8_t> out;
  out.reserve(44 + padded + bytes + 1);
  PutTag(out, "RIFF");
  Put(out, 4 + 8 + padded + 8 + dataBytes + (dataBytes & 1), 4);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put(out, fmtSize, 4);
  Put(out, format.formatTag, 2);
  Put(out, format.channels, 2);
  Put(out, format.samplesPerSecond, 4);
  Put(out, format.averageBytesPerSecond, 4);
  Put(out, format.blockAlign, 2);
  Put(out, format.bitsPerSample, 2);
  if (hasExtra) {
    Put(out, static_cast<uint32_t>(format.extra.size()), 2);
    out.insert(out.end(), format.extra.begin(), format.extra.end());
  }
  if (fmtSize & 1) out.push_back(0);
  PutTag(out, "data");
  Put(out, dataBytes, 4);
  out.insert(out.end(), pcm, pcm + bytes);
  if (dataBytes & 1) out.push_back(0);
  return out;
}

std::vector<uint8_t> CWaveFile::Build(const SWaveFormat& format, const std::vector<int16_t>& samples) {
  std::vector<uint8_t> pcm;
  pcm.reserve(samples.size() * 2);
  for (int16_t s : samples) Put(pcm, static_cast<uint16_t>(s), 2);
  return Build(format, pcm.data(), pcm.size());
}

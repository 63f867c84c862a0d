#include "audio/AdpcmSource.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint8_t kEndFlag = 7;
constexpr int kPredictors = 5;
constexpr double kCoefficient1[kPredictors] = {0.0, 0.9375, 1.796875, 1.53125, 1.90625};
constexpr double kCoefficient2[kPredictors] = {0.0, 0.0, -0.8125, -0.859375, -0.9375};
// Larger interleaves would ask for block buffers of gigabytes from a damaged header.
constexpr uint32_t kMaxInterleave = 1u << 20;

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

int16_t ClampSample(double value) {
  // Clamping before the truncation gives the same result and keeps the conversion defined.
  return static_cast<int16_t>(static_cast<int>(std::clamp(value + 0.5, -32768.0, 32767.0)));
}

}  // namespace

bool CAdpcmSource::Open(std::vector<uint8_t> file) {
  Close();
  if (file.size() < kHeaderSize || std::memcmp(file.data(), "SShd", 4) != 0) return false;
  const uint32_t interleave = Le32(file.data() + 20);
  if (interleave < kFrameBytes || interleave > kMaxInterleave) return false;
  if (!SWaveFormat::IsPlayableRate(Le32(file.data() + 12))) return false;
  const uint16_t channels = Le32(file.data() + 16) == 2 ? 2 : 1;
  format = SWaveFormat::Pcm16(channels, Le32(file.data() + 12));
  data = std::move(file);
  framesPerChannel = interleave / kFrameBytes;
  block.assign(size_t{channels} * framesPerChannel * kSamplesPerFrame * 2, 0);
  Rewind();
  return true;
}

void CAdpcmSource::Close() {
  data.clear();
  data.shrink_to_fit();
  block.clear();
  format = SWaveFormat();
  framesPerChannel = 0;
  Rewind();
}

uint32_t CAdpcmSource::GetSize() const {
  if (data.size() < kHeaderSize) return 0;
  const uint64_t bytes = uint64_t{(data.size() - kHeaderSize) / kFrameBytes} * kSamplesPerFrame * 2;
  return static_cast<uint32_t>(std::min<uint64_t>(bytes, UINT32_MAX));
}

void CAdpcmSource::Rewind() {
  readPosition = kHeaderSize;
  history = {};
  blockOffset = blockFilled = 0;
}

uint32_t CAdpcmSource::Read(uint8_t* destination, uint32_t length) {
  uint32_t written = 0;
  while (written < length) {
    if (blockOffset == blockFilled) {
      if (readPosition >= data.size()) break;
      DecodeBlock();
    }
    const uint32_t count = std::min(length - written, blockFilled - blockOffset);
    std::memcpy(destination + written, block.data() + blockOffset, count);
    written += count;
    blockOffset += count;
  }
  return written;
}

void CAdpcmSource::DecodeBlock() {
  std::fill(block.begin(), block.end(), 0);
  for (uint32_t c = 0; c < format.channels; ++c) {
    bool ended = false;
    for (uint32_t f = 0; f < framesPerChannel; ++f) {
      // A frame cut off by the end of the file decodes as silence, like one after the end flag.
      const bool whole = readPosition <= data.size() && data.size() - readPosition >= kFrameBytes;
      if (!ended && whole) ended = !DecodeFrame(data.data() + readPosition, c, f);
      readPosition += kFrameBytes;
    }
  }
  blockOffset = 0;
  blockFilled = static_cast<uint32_t>(block.size());
}

bool CAdpcmSource::DecodeFrame(const uint8_t* frame, uint32_t c, uint32_t f) {
  if (frame[1] == kEndFlag) return false;
  const int shift = frame[0] & 0x0F;
  int predictor = frame[0] >> 4;
  // Indexes past the table come from damaged data; they decode without prediction.
  if (predictor >= kPredictors) predictor = 0;
  double& s1 = history[c][0];
  double& s2 = history[c][1];
  for (uint32_t i = 0; i < kSamplesPerFrame; ++i) {
    const uint8_t byte = frame[2 + i / 2];
    int nibble = (i % 2 == 0) ? (byte & 0x0F) : (byte >> 4);
    if (nibble >= 8) nibble -= 16;
    const double d = static_cast<double>((nibble * 4096) >> shift);
    const double sample = d + s1 * kCoefficient1[predictor] + s2 * kCoefficient2[predictor];
    s2 = s1;
    s1 = sample;
    const int16_t value = ClampSample(sample);
    const size_t at = (size_t{f} * kSamplesPerFrame + i) * format.channels + c;
    block[at * 2] = static_cast<uint8_t>(value & 0xFF);
    block[at * 2 + 1] = static_cast<uint8_t>((static_cast<uint16_t>(value) >> 8) & 0xFF);
  }
  return true;
}

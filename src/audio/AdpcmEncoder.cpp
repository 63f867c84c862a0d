#include "audio/AdpcmEncoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr double kCoefficient1[5] = {0.0, 0.9375, 1.796875, 1.53125, 1.90625};
constexpr double kCoefficient2[5] = {0.0, 0.0, -0.8125, -0.859375, -0.9375};
constexpr uint32_t kFrameBytes = 16;
constexpr uint32_t kSamplesPerFrame = 28;
constexpr uint8_t kEndFlag = 7;

void PutLe32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

double CAdpcmEncoder::TryFrame(const std::array<int16_t, 28>& samples, SHistory h, int predictor, int shift,
                               std::array<int, 28>& nibbles, SHistory& after) {
  double error = 0;
  for (uint32_t i = 0; i < kSamplesPerFrame; ++i) {
    const double predicted = h.s1 * kCoefficient1[predictor] + h.s2 * kCoefficient2[predictor];
    const double step = 4096.0 / (1 << shift);
    const int n = std::clamp(static_cast<int>(std::lround((samples[i] - predicted) / step)), -8, 7);
    nibbles[i] = n;
    // The same order of operations as the decoder, so the histories stay identical.
    const double sample = static_cast<double>((n * 4096) >> shift) + h.s1 * kCoefficient1[predictor] +
                          h.s2 * kCoefficient2[predictor];
    error += (sample - samples[i]) * (sample - samples[i]);
    h.s2 = h.s1;
    h.s1 = sample;
  }
  after = h;
  return error;
}

void CAdpcmEncoder::EncodeFrame(const std::array<int16_t, 28>& samples, SHistory& history, uint8_t* frame) {
  double best = std::numeric_limits<double>::max();
  std::array<int, 28> nibbles{}, trial{};
  SHistory bestAfter, after;
  for (int predictor = 0; predictor < 5; ++predictor) {
    for (int shift = 0; shift <= 12; ++shift) {
      const double error = TryFrame(samples, history, predictor, shift, trial, after);
      if (error >= best) continue;
      best = error;
      nibbles = trial;
      bestAfter = after;
      frame[0] = static_cast<uint8_t>((predictor << 4) | shift);
    }
  }
  history = bestAfter;
  frame[1] = 0;
  for (uint32_t i = 0; i < kSamplesPerFrame; i += 2) {
    frame[2 + i / 2] = static_cast<uint8_t>((nibbles[i] & 0x0F) | ((nibbles[i + 1] & 0x0F) << 4));
  }
}

std::vector<uint8_t> CAdpcmEncoder::Encode(const std::vector<int16_t>& interleaved, int channels,
                                           uint32_t rate, uint32_t interleave) {
  if ((channels != 1 && channels != 2) || interleave < kFrameBytes || interleave % kFrameBytes) return {};
  const size_t frames = interleaved.size() / channels;
  const uint32_t framesPerBlock = interleave / kFrameBytes;
  // One frame more than the samples need, so the flagged last frame never holds sound.
  const size_t perBlock = size_t{framesPerBlock} * kSamplesPerFrame;
  const size_t blocks = (frames + kSamplesPerFrame + perBlock - 1) / perBlock;
  std::vector<uint8_t> out(40 + blocks * channels * interleave, 0);
  std::memcpy(out.data(), "SShd", 4);
  PutLe32(out, 12, rate);
  PutLe32(out, 16, channels == 2 ? 2 : 1);
  PutLe32(out, 20, interleave);
  SHistory history[2];
  size_t at = 40;
  for (size_t b = 0; b < blocks; ++b) {
    for (int c = 0; c < channels; ++c) {
      for (uint32_t f = 0; f < framesPerBlock; ++f, at += kFrameBytes) {
        std::array<int16_t, 28> samples{};
        const size_t first = (b * framesPerBlock + f) * kSamplesPerFrame;
        for (uint32_t i = 0; i < kSamplesPerFrame && first + i < frames; ++i) {
          samples[i] = interleaved[(first + i) * channels + c];
        }
        EncodeFrame(samples, history[c], out.data() + at);
      }
      out[at - kFrameBytes + 1] = b + 1 == blocks ? kEndFlag : 0;
    }
  }
  return out;
}

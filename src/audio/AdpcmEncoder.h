#pragma once
#include <array>
#include <cstdint>
#include <vector>

// Writes 16-bit PCM as an "SShd" file: for each frame of 28 samples it picks the predictor and
// shift that the decoder reproduces most closely, tracking the decoder's own history.
class CAdpcmEncoder {
 public:
  // interleaved holds mono or stereo frames; interleave is the bytes of one channel per block (a
  // multiple of 16). The last frame of each channel carries the end flag.
  static std::vector<uint8_t> Encode(const std::vector<int16_t>& interleaved, int channels, uint32_t rate,
                                     uint32_t interleave = 0x1000);

 private:
  struct SHistory {
    double s1 = 0;
    double s2 = 0;
  };
  // Encodes 28 samples into frame (16 bytes) and advances the history as the decoder will.
  static void EncodeFrame(const std::array<int16_t, 28>& samples, SHistory& history, uint8_t* frame);
  // Squared error of coding the samples with predictor and shift; nibbles receives the codes.
  static double TryFrame(const std::array<int16_t, 28>& samples, SHistory history, int predictor, int shift,
                         std::array<int, 28>& nibbles, SHistory& after);
};

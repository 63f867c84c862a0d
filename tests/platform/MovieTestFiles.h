#pragma once
// Small movies made with FFmpeg's encoders for the movie tests: each frame one flat colour of a
// table, the sound a steady tone.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/movie/MovieEncoder.h"

namespace movietest {

// The colour of frame i (0xAARRGGBB): far apart in every channel, so a frame is never mistaken for
// its neighbour after compression.
inline uint32_t FrameColour(int frame) {
  static const uint32_t kColours[] = {0xFFE03020, 0xFF20C040, 0xFF3040E0, 0xFFE0E020,
                                      0xFF20E0E0, 0xFFE020E0, 0xFF808080, 0xFFF0F0F0};
  return kColours[frame % 8];
}

constexpr int kToneAmplitude = 8000;

inline bool WriteColourMovie(const std::string& path, int width, int height, int frames, bool withSound) {
  CMovieEncoder::SSettings settings;
  settings.width = width;
  settings.height = height;
  settings.frames = frames;
  settings.framesPerSecond = 30;
  const auto picture = [](int frame, std::vector<uint32_t>& pixels) {
    for (uint32_t& p : pixels) p = FrameColour(frame);
  };
  // A 441 Hz tone: exactly 100 samples a period.
  const auto sound = [](int64_t first, int16_t* samples, int count) {
    for (int i = 0; i < count; ++i) {
      const double phase = static_cast<double>((first + i) % 100) / 100.0;
      const auto v = static_cast<int16_t>(std::lround(kToneAmplitude * std::sin(phase * 2 * M_PI)));
      samples[2 * i] = samples[2 * i + 1] = v;
    }
  };
  return withSound ? CMovieEncoder::Write(path, settings, picture, sound)
                   : CMovieEncoder::Write(path, settings, picture, nullptr);
}

// Whether two colours differ by at most tolerance in each of red, green and blue.
inline bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    if (d > tolerance || d < -tolerance) return false;
  }
  return true;
}

}  // namespace movietest

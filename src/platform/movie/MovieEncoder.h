#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Writes small movies (MPEG-1 picture and MPEG audio layer II sound in an MPEG program stream)
// with FFmpeg's own encoders: the sample game's movies and the test movies are made with it.
class CMovieEncoder {
 public:
  // Fills one frame's picture: width × height top-down BGRA pixels.
  using PictureFunction = std::function<void(int frame, std::vector<uint32_t>& pixels)>;
  // Fills count stereo sample pairs (interleaved, 44100 Hz) from the given pair index on.
  using SoundFunction = std::function<void(int64_t first, int16_t* samples, int count)>;

  struct SSettings {
    int width = 320;
    int height = 240;
    int framesPerSecond = 30;  // one of MPEG-1's rates: 24, 25, 30, 50 or 60
    int frames = 30;
  };

  // False when the file cannot be written or an encoder is missing. Without a sound function the
  // movie has no sound stream; the sound lasts as long as the picture.
  static bool Write(const std::string& hostPath, const SSettings& settings, const PictureFunction& picture,
                    const SoundFunction& sound);
};

#pragma once
#include <cstdint>
#include <memory>
#include <string>

// One open movie. Decoding runs on threads of its own into small bounded queues, so asking for a
// picture or for sound never waits for the file, except where the backend follows a simulated
// clock: there every request waits until the decoders have caught up, so a run is repeatable.
class IMovie {
 public:
  // The sound track's format: the audio device's own (44100 Hz, 16-bit stereo).
  static constexpr uint32_t kAudioRate = 44100;
  static constexpr uint32_t kAudioBytesPerFrame = 4;

  virtual ~IMovie() = default;
  // Waits (at most timeoutMs) for the first picture and the start of the sound; false when the
  // file turned out not to be decodable.
  virtual bool WaitUntilReady(uint32_t timeoutMs) = 0;
  // The picture to show at a movie time in milliseconds: the last frame whose presentation time
  // is not later, scaled to the output size with its proportions kept and black bars around it, as
  // top-down BGRA rows. Null when the picture has not changed since the last call.
  virtual const uint32_t* PictureAt(int64_t milliseconds) = 0;
  virtual bool HasAudio() const = 0;
  // Fills up to length bytes of the sound track and returns how many came: fewer at its end, or
  // when the decoder is behind a real-time clock (the caller plays silence for the rest).
  virtual uint32_t ReadAudio(uint8_t* destination, uint32_t length) = 0;
  // The movie's length in milliseconds (the later of the last picture's end and the sound's end),
  // known once both decoders reached the end of the file; -1 before.
  virtual int64_t Length() const = 0;
  // A decoder stopped on a damaged file before the end.
  virtual bool Failed() const = 0;
};

// Opens movie files (host paths) for an output picture size.
class IMoviePlayer {
 public:
  virtual ~IMoviePlayer() = default;
  // None when the file cannot be opened or holds neither a picture nor sound that can be decoded.
  virtual std::unique_ptr<IMovie> Open(const std::string& hostPath, int width, int height) = 0;
};

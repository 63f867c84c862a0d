#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/AudioDevice.h"
#include "platform/MoviePlayer.h"

// A movie while it plays: the picture for the current time and the sound through the audio device.
// The sound's play position is the movie's clock, so the picture keeps pace with what is heard; a
// movie without sound follows the engine's millisecond clock.
class CMoviePlayback {
 public:
  // 2048 frames of sound per segment: four segments queue about 186 ms, more than any one mix
  // step of the device takes.
  static constexpr uint32_t kSegmentBytes = 2048 * IMovie::kAudioBytesPerFrame;
  // How long start-up waits for the first picture and sound.
  static constexpr uint32_t kReadyTimeoutMs = 3000;

  CMoviePlayback(std::unique_ptr<IMovie> movie, IAudioDevice* device, int32_t attenuation, uint32_t nowMs);
  CMoviePlayback(const CMoviePlayback&) = delete;
  CMoviePlayback& operator=(const CMoviePlayback&) = delete;
  ~CMoviePlayback();

  // Opens and starts a movie; none (nothing playing) when the file cannot be opened or decoded.
  // attenuation is the sound's volume in hundredths of a decibel.
  static std::unique_ptr<CMoviePlayback> Start(IMoviePlayer& player, IAudioDevice* device,
                                               const std::string& hostPath, int width, int height,
                                               int32_t attenuation, uint32_t nowMs);

  // Advances the clock to now; false once the movie has played to its end or its file broke.
  bool Update(uint32_t nowMs);
  // The picture for the clock's time when it changed since the last call (top-down BGRA of the
  // output size), else null.
  const uint32_t* NewPicture();
  // The movie's time in milliseconds at the last Update.
  int64_t Position() const { return position; }
  bool Failed() const { return movie->Failed(); }
  // The sound buffer's volume, silent when the movie plays without sound.
  int32_t Volume() const;

 private:
  struct SAudioFeed;

  // The sound's play position in milliseconds; -1 without sound.
  int64_t AudioPosition() const;

  std::unique_ptr<IMovie> movie;
  std::shared_ptr<SAudioFeed> feed;
  uint32_t startMs;
  int64_t position = 0;
  int64_t anchorPosition = -1;  // the sound position last seen to move, and when
  uint32_t anchorMs = 0;
};

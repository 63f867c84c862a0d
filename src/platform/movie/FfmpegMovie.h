#pragma once
#include <memory>
#include <string>

#include "platform/MoviePlayer.h"
#include "platform/movie/MovieAudioDecoder.h"
#include "platform/movie/MovieVideoDecoder.h"

// A movie file with its picture and its sound decoder, either of which may be missing.
class CFfmpegMovie : public IMovie {
 public:
  CFfmpegMovie(std::unique_ptr<CMovieVideoDecoder> video, std::unique_ptr<CMovieAudioDecoder> audio);

  bool WaitUntilReady(uint32_t timeoutMs) override;
  const uint32_t* PictureAt(int64_t milliseconds) override;
  bool HasAudio() const override { return audio != nullptr; }
  uint32_t ReadAudio(uint8_t* destination, uint32_t length) override;
  int64_t Length() const override;
  bool Failed() const override;

 private:
  std::unique_ptr<CMovieVideoDecoder> video;
  std::unique_ptr<CMovieAudioDecoder> audio;
};

#include "platform/movie/FfmpegMovie.h"

#include <algorithm>

CFfmpegMovie::CFfmpegMovie(std::unique_ptr<CMovieVideoDecoder> v, std::unique_ptr<CMovieAudioDecoder> a)
    : video(std::move(v)), audio(std::move(a)) {}

bool CFfmpegMovie::WaitUntilReady(uint32_t timeoutMs) {
  // A stream that opened but gives nothing at all is as undecodable as one that did not open.
  if (video && !video->WaitForFirstFrame(timeoutMs)) return false;
  if (audio && !audio->WaitForFirstBytes(timeoutMs)) return false;
  return !Failed();
}

const uint32_t* CFfmpegMovie::PictureAt(int64_t milliseconds) {
  return video ? video->PictureAt(milliseconds) : nullptr;
}

uint32_t CFfmpegMovie::ReadAudio(uint8_t* destination, uint32_t length) {
  return audio ? audio->Read(destination, length) : 0;
}

int64_t CFfmpegMovie::Length() const {
  const int64_t pictureEnd = video ? video->EndTime() : 0;
  const int64_t soundEnd = audio ? audio->EndTime() : 0;
  if (pictureEnd < 0 || soundEnd < 0) return -1;
  return std::max(pictureEnd, soundEnd);
}

bool CFfmpegMovie::Failed() const { return (video && video->Failed()) || (audio && audio->Failed()); }

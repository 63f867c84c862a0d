#include "platform/movie/FfmpegMoviePlayer.h"

extern "C" {
#include <libavutil/log.h>
}

#include "platform/movie/FfmpegMovie.h"

CFfmpegMoviePlayer::CFfmpegMoviePlayer(bool followsSimulatedClock) : simulated(followsSimulatedClock) {
  // A damaged file is reported to the player once by the engine; the libraries stay quiet.
  av_log_set_level(AV_LOG_QUIET);
}

std::unique_ptr<IMovie> CFfmpegMoviePlayer::Open(const std::string& hostPath, int width, int height) {
  auto video = std::make_unique<CMovieVideoDecoder>(width, height, simulated);
  if (!video->Start(hostPath)) video.reset();
  auto audio = std::make_unique<CMovieAudioDecoder>(simulated);
  if (!audio->Start(hostPath)) audio.reset();
  if (!video && !audio) return nullptr;
  return std::make_unique<CFfmpegMovie>(std::move(video), std::move(audio));
}

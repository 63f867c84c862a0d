#pragma once
#include <memory>
#include <string>

#include "platform/MoviePlayer.h"

// Movies through FFmpeg: any container and codec the installed libraries decode.
class CFfmpegMoviePlayer : public IMoviePlayer {
 public:
  // followsSimulatedClock: requests wait for the decoders, so headless runs are repeatable.
  explicit CFfmpegMoviePlayer(bool followsSimulatedClock);
  std::unique_ptr<IMovie> Open(const std::string& hostPath, int width, int height) override;

 private:
  bool simulated;
};

#pragma once
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/movie/FfmpegStream.h"

struct SwsContext;

// The picture of a movie, decoded on its own thread into a queue of a few frames, each already
// scaled to the output size with black bars.
class CMovieVideoDecoder {
 public:
  static constexpr size_t kQueuedFrames = 4;

  // waitForDecoder: PictureAt waits until the frame for the asked time is known (simulated clock).
  CMovieVideoDecoder(int width, int height, bool waitForDecoder);
  CMovieVideoDecoder(const CMovieVideoDecoder&) = delete;
  CMovieVideoDecoder& operator=(const CMovieVideoDecoder&) = delete;
  ~CMovieVideoDecoder();

  // Opens the file's picture stream and starts decoding; false when there is none to decode.
  bool Start(const std::string& hostPath);
  // Waits at most timeoutMs for the first frame; false when decoding ended without one.
  bool WaitForFirstFrame(uint32_t timeoutMs);
  // See IMovie::PictureAt.
  const uint32_t* PictureAt(int64_t milliseconds);
  // The end of the last frame once the decoder reached the end of the file; -1 before.
  int64_t EndTime() const;
  bool Failed() const;

 private:
  struct SFrame {
    int64_t time = 0;
    std::vector<uint32_t> pixels;
  };

  void Run();
  bool Scale(const AVFrame* frame, std::vector<uint32_t>& pixels);
  void Finish(bool failed, int64_t end);
  int64_t FrameDuration() const;

  const int width;
  const int height;
  const bool waitForDecoder;
  CFfmpegStream stream;
  SwsContext* scaler = nullptr;
  std::thread thread;

  mutable std::mutex mutex;  // guards everything below
  std::condition_variable changed;
  std::deque<SFrame> queue;
  SFrame current;
  bool hasCurrent = false;
  bool decodedAny = false;
  bool ended = false;
  bool failed = false;
  bool stopping = false;
  int64_t endTime = -1;
};

#pragma once
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/movie/FfmpegStream.h"

struct SwrContext;

// The sound of a movie, decoded on its own thread and resampled to the device format (44100 Hz,
// 16-bit stereo) into a queue of about half a second.
class CMovieAudioDecoder {
 public:
  static constexpr size_t kQueuedBytes = 88200;

  // waitForDecoder: Read waits until the bytes asked for are decoded (simulated clock).
  explicit CMovieAudioDecoder(bool waitForDecoder);
  CMovieAudioDecoder(const CMovieAudioDecoder&) = delete;
  CMovieAudioDecoder& operator=(const CMovieAudioDecoder&) = delete;
  ~CMovieAudioDecoder();

  // Opens the file's sound stream and starts decoding; false when there is none to decode.
  bool Start(const std::string& hostPath);
  // Waits at most timeoutMs for the first bytes; false when decoding ended without any.
  bool WaitForFirstBytes(uint32_t timeoutMs);
  uint32_t Read(uint8_t* destination, uint32_t length);
  // The sound's length in milliseconds once the decoder reached the end of the file; -1 before.
  int64_t EndTime() const;
  bool Failed() const;

 private:
  void Run();
  bool Convert(const AVFrame* frame);
  void Push(const uint8_t* bytes, size_t count);

  const bool waitForDecoder;
  CFfmpegStream stream;
  SwrContext* resampler = nullptr;
  std::vector<uint8_t> converted;
  std::thread thread;

  mutable std::mutex mutex;  // guards everything below
  std::condition_variable changed;
  std::deque<uint8_t> queue;
  uint64_t totalBytes = 0;
  bool ended = false;
  bool failed = false;
  bool stopping = false;
};

#pragma once
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <cstdint>
#include <string>

// One file opened for one kind of stream (its best picture or sound stream) with its decoder.
// The picture and the sound of a movie each open the file on their own, so neither decoder ever
// waits for the other one's queue to drain.
class CFfmpegStream {
 public:
  CFfmpegStream() = default;
  CFfmpegStream(const CFfmpegStream&) = delete;
  CFfmpegStream& operator=(const CFfmpegStream&) = delete;
  ~CFfmpegStream();

  // False when the file cannot be read or has no stream of the type that can be decoded.
  bool Open(const std::string& hostPath, AVMediaType type);
  // Decodes the next frame: 0, AVERROR_EOF after the last one, another negative code on a read
  // error. Damaged packets are passed over.
  int NextFrame(AVFrame* frame);
  AVCodecContext* Codec() const { return codec; }
  AVStream* Stream() const { return format->streams[index]; }
  // A frame's presentation time in milliseconds from the start of the file; -1 when it has none.
  int64_t Milliseconds(const AVFrame* frame) const;

 private:
  AVFormatContext* format = nullptr;
  AVCodecContext* codec = nullptr;
  AVPacket* packet = nullptr;
  int index = -1;
  bool draining = false;
};

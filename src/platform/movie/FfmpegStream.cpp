#include "platform/movie/FfmpegStream.h"

CFfmpegStream::~CFfmpegStream() {
  av_packet_free(&packet);
  avcodec_free_context(&codec);
  avformat_close_input(&format);
}

bool CFfmpegStream::Open(const std::string& hostPath, AVMediaType type) {
  if (avformat_open_input(&format, hostPath.c_str(), nullptr, nullptr) < 0) return false;
  if (avformat_find_stream_info(format, nullptr) < 0) return false;
  const AVCodec* decoder = nullptr;
  index = av_find_best_stream(format, type, -1, -1, &decoder, 0);
  if (index < 0 || !decoder) return false;
  codec = avcodec_alloc_context3(decoder);
  packet = av_packet_alloc();
  if (!codec || !packet) return false;
  if (avcodec_parameters_to_context(codec, format->streams[index]->codecpar) < 0) return false;
  codec->pkt_timebase = format->streams[index]->time_base;
  // One thread per decoder: movies here are small, and the output does not depend on timing.
  codec->thread_count = 1;
  for (unsigned i = 0; i < format->nb_streams; ++i)
    if (static_cast<int>(i) != index) format->streams[i]->discard = AVDISCARD_ALL;
  return avcodec_open2(codec, decoder, nullptr) == 0;
}

int CFfmpegStream::NextFrame(AVFrame* frame) {
  for (;;) {
    const int received = avcodec_receive_frame(codec, frame);
    if (received != AVERROR(EAGAIN)) return received;
    if (draining) return AVERROR_EOF;
    const int read = av_read_frame(format, packet);
    if (read == AVERROR_EOF) {
      draining = true;
      avcodec_send_packet(codec, nullptr);
      continue;
    }
    if (read < 0) return read;
    if (packet->stream_index == index) avcodec_send_packet(codec, packet);
    av_packet_unref(packet);
  }
}

int64_t CFfmpegStream::Milliseconds(const AVFrame* frame) const {
  const int64_t pts = frame->best_effort_timestamp;
  if (pts == AV_NOPTS_VALUE) return -1;
  // Times count from the start of the file, so picture and sound opened apart stay in step.
  const int64_t start = format->start_time == AV_NOPTS_VALUE ? 0 : format->start_time;
  const int64_t ms = av_rescale_q(pts, Stream()->time_base, AVRational{1, 1000}) - start / 1000;
  return ms < 0 ? 0 : ms;
}

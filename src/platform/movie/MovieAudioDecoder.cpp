#include "platform/movie/MovieAudioDecoder.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <algorithm>

#include "platform/MoviePlayer.h"

CMovieAudioDecoder::CMovieAudioDecoder(bool wait) : waitForDecoder(wait) {}

CMovieAudioDecoder::~CMovieAudioDecoder() {
  {
    std::lock_guard lock(mutex);
    stopping = true;
  }
  changed.notify_all();
  if (thread.joinable()) thread.join();
  swr_free(&resampler);
}

bool CMovieAudioDecoder::Start(const std::string& hostPath) {
  if (!stream.Open(hostPath, AVMEDIA_TYPE_AUDIO)) return false;
  AVCodecContext* codec = stream.Codec();
  AVChannelLayout input{};
  if (codec->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || codec->ch_layout.nb_channels <= 0)
    av_channel_layout_default(&input, std::max(codec->ch_layout.nb_channels, 1));
  else if (av_channel_layout_copy(&input, &codec->ch_layout) < 0)
    return false;
  AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
  const int made = swr_alloc_set_opts2(&resampler, &stereo, AV_SAMPLE_FMT_S16, IMovie::kAudioRate, &input,
                                       codec->sample_fmt, codec->sample_rate, 0, nullptr);
  av_channel_layout_uninit(&input);
  if (made < 0 || codec->sample_rate <= 0 || swr_init(resampler) < 0) return false;
  thread = std::thread(&CMovieAudioDecoder::Run, this);
  return true;
}

void CMovieAudioDecoder::Push(const uint8_t* bytes, size_t count) {
  size_t done = 0;
  while (done < count) {
    std::unique_lock lock(mutex);
    changed.wait(lock, [&] { return stopping || queue.size() < kQueuedBytes; });
    if (stopping) return;
    const size_t part = std::min(count - done, kQueuedBytes - queue.size());
    queue.insert(queue.end(), bytes + done, bytes + done + part);
    totalBytes += part;
    done += part;
    changed.notify_all();
  }
}

// Resamples a frame, or with no frame what the resampler still holds, and queues the result.
bool CMovieAudioDecoder::Convert(const AVFrame* frame) {
  const int inputSamples = frame ? frame->nb_samples : 0;
  const int64_t room = swr_get_out_samples(resampler, inputSamples);
  if (room < 0) return false;
  converted.resize(static_cast<size_t>(room) * IMovie::kAudioBytesPerFrame + IMovie::kAudioBytesPerFrame);
  uint8_t* out = converted.data();
  const int samples =
      swr_convert(resampler, &out, static_cast<int>(room) + 1,
                  frame ? const_cast<const uint8_t**>(frame->extended_data) : nullptr, inputSamples);
  if (samples < 0) return false;
  Push(converted.data(), static_cast<size_t>(samples) * IMovie::kAudioBytesPerFrame);
  return true;
}

void CMovieAudioDecoder::Run() {
  AVFrame* frame = av_frame_alloc();
  int result = frame ? 0 : AVERROR(ENOMEM);
  while (result == 0) {
    result = stream.NextFrame(frame);
    if (result != 0) break;
    const bool ok = Convert(frame);
    av_frame_unref(frame);
    if (!ok) result = AVERROR(EINVAL);
    std::lock_guard lock(mutex);
    if (stopping) break;
  }
  if (result == AVERROR_EOF) Convert(nullptr);
  av_frame_free(&frame);
  std::lock_guard lock(mutex);
  ended = true;
  failed = result != AVERROR_EOF && result != 0 && !stopping;
  changed.notify_all();
}

bool CMovieAudioDecoder::WaitForFirstBytes(uint32_t timeoutMs) {
  std::unique_lock lock(mutex);
  changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return totalBytes > 0 || ended; });
  return totalBytes > 0;
}

uint32_t CMovieAudioDecoder::Read(uint8_t* destination, uint32_t length) {
  std::unique_lock lock(mutex);
  const size_t wanted = std::min<size_t>(length, kQueuedBytes);
  if (waitForDecoder) changed.wait(lock, [&] { return ended || queue.size() >= wanted; });
  const uint32_t count = static_cast<uint32_t>(std::min<size_t>(length, queue.size()));
  std::copy_n(queue.begin(), count, destination);
  queue.erase(queue.begin(), queue.begin() + count);
  changed.notify_all();
  return count;
}

int64_t CMovieAudioDecoder::EndTime() const {
  std::lock_guard lock(mutex);
  if (!ended) return -1;
  return static_cast<int64_t>(totalBytes / IMovie::kAudioBytesPerFrame * 1000 / IMovie::kAudioRate);
}

bool CMovieAudioDecoder::Failed() const {
  std::lock_guard lock(mutex);
  return failed;
}

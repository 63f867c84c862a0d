#include "platform/movie/MovieVideoDecoder.h"

extern "C" {
#include <libswscale/swscale.h>
}

#include "platform/ShapeFit.h"

namespace {
constexpr uint32_t kOpaqueBlack = 0xFF000000;
}

CMovieVideoDecoder::CMovieVideoDecoder(int w, int h, bool wait) : width(w), height(h), waitForDecoder(wait) {}

CMovieVideoDecoder::~CMovieVideoDecoder() {
  {
    std::lock_guard lock(mutex);
    stopping = true;
  }
  changed.notify_all();
  if (thread.joinable()) thread.join();
  sws_freeContext(scaler);
}

bool CMovieVideoDecoder::Start(const std::string& hostPath) {
  if (width <= 0 || height <= 0 || !stream.Open(hostPath, AVMEDIA_TYPE_VIDEO)) return false;
  thread = std::thread(&CMovieVideoDecoder::Run, this);
  return true;
}

int64_t CMovieVideoDecoder::FrameDuration() const {
  const AVRational rate = stream.Stream()->avg_frame_rate;
  if (rate.num <= 0 || rate.den <= 0) return 40;
  return av_rescale(1000, rate.den, rate.num);
}

bool CMovieVideoDecoder::Scale(const AVFrame* frame, std::vector<uint32_t>& pixels) {
  const AVRational sar = frame->sample_aspect_ratio.num > 0 ? frame->sample_aspect_ratio : AVRational{1, 1};
  const SRect fit =
      FitKeepingShape(int64_t{frame->width} * sar.num, int64_t{frame->height} * sar.den, width, height);
  scaler = sws_getCachedContext(scaler, frame->width, frame->height,
                                static_cast<AVPixelFormat>(frame->format), fit.Width(), fit.Height(),
                                AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
  if (!scaler) return false;
  pixels.assign(static_cast<size_t>(width) * height, kOpaqueBlack);
  uint8_t* target[4] = {
      reinterpret_cast<uint8_t*>(pixels.data() + static_cast<size_t>(fit.top) * width + fit.left), nullptr,
      nullptr, nullptr};
  const int stride[4] = {width * 4, 0, 0, 0};
  sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, target, stride);
  // The scaler leaves alpha as the source has it (none): the screen's pixels are opaque.
  for (int y = fit.top; y < fit.bottom; ++y)
    for (int x = fit.left; x < fit.right; ++x) pixels[static_cast<size_t>(y) * width + x] |= kOpaqueBlack;
  return true;
}

void CMovieVideoDecoder::Run() {
  AVFrame* frame = av_frame_alloc();
  int result = frame ? 0 : AVERROR(ENOMEM);
  int64_t lastTime = -1;
  while (result == 0) {
    result = stream.NextFrame(frame);
    if (result != 0) break;
    SFrame decoded;
    decoded.time = stream.Milliseconds(frame);
    // A frame without a time (the last one of some files) follows the one before it.
    if (decoded.time < 0) decoded.time = lastTime < 0 ? 0 : lastTime + FrameDuration();
    const bool scaled = Scale(frame, decoded.pixels);
    av_frame_unref(frame);
    if (!scaled) {
      result = AVERROR(EINVAL);
      break;
    }
    // A frame that would show before the one already queued shows at that one's time instead.
    if (decoded.time < lastTime) decoded.time = lastTime;
    lastTime = decoded.time;
    std::unique_lock lock(mutex);
    changed.wait(lock, [&] { return stopping || queue.size() < kQueuedFrames; });
    if (stopping) break;
    queue.push_back(std::move(decoded));
    decodedAny = true;
    changed.notify_all();
  }
  av_frame_free(&frame);
  Finish(result != AVERROR_EOF && result != 0, lastTime < 0 ? 0 : lastTime + FrameDuration());
}

void CMovieVideoDecoder::Finish(bool failedNow, int64_t end) {
  std::lock_guard lock(mutex);
  ended = true;
  endTime = end;
  failed = failedNow && !stopping;
  changed.notify_all();
}

bool CMovieVideoDecoder::WaitForFirstFrame(uint32_t timeoutMs) {
  std::unique_lock lock(mutex);
  changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return decodedAny || ended; });
  return decodedAny;
}

const uint32_t* CMovieVideoDecoder::PictureAt(int64_t milliseconds) {
  std::unique_lock lock(mutex);
  bool fresh = false;
  for (;;) {
    while (!queue.empty() && (queue.front().time <= milliseconds || !hasCurrent)) {
      current = std::move(queue.front());
      queue.pop_front();
      hasCurrent = fresh = true;
      changed.notify_all();
    }
    // The picture for the time is known once a later frame is queued or the file has ended.
    if (!waitForDecoder || !queue.empty() || ended) break;
    changed.wait(lock);
  }
  return fresh ? current.pixels.data() : nullptr;
}

int64_t CMovieVideoDecoder::EndTime() const {
  std::lock_guard lock(mutex);
  return ended ? endTime : -1;
}

bool CMovieVideoDecoder::Failed() const {
  std::lock_guard lock(mutex);
  return failed;
}

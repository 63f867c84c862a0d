#include "audio/MoviePlayback.h"

#include <mutex>
#include <vector>

namespace {
// While the sound's position stands still between the device's mix steps, the picture runs on by
// the millisecond clock, but never further than this ahead of what was heard.
constexpr int64_t kMaxRunAheadMs = 100;
}  // namespace

// The sound buffer and the movie it is refilled from, shared with the buffer's notifications, which
// may still arrive from the device's thread after playback has stopped.
struct CMoviePlayback::SAudioFeed {
  std::mutex mutex;  // guards everything below
  IMovie* movie = nullptr;
  std::unique_ptr<IAudioBuffer> buffer;
  std::vector<uint8_t> scratch;
  uint32_t nextWrite = 0;
  uint64_t written = 0;

  // Writes the segment at nextWrite from the movie, with silence where the sound is behind or over.
  void FillSegment() {
    scratch.assign(kSegmentBytes, 0);
    movie->ReadAudio(scratch.data(), kSegmentBytes);
    buffer->Write(nextWrite, scratch.data(), kSegmentBytes);
    nextWrite = (nextWrite + kSegmentBytes) % buffer->GetSize();
    written += kSegmentBytes;
  }
  // Refills every segment the play cursor has left.
  void Service() {
    std::lock_guard lock(mutex);
    if (!buffer) return;
    const uint32_t size = buffer->GetSize();
    while ((size + buffer->GetPlayCursor() - nextWrite) % size >= kSegmentBytes) FillSegment();
  }
  // Bytes played since the start: everything written but the part of the buffer still ahead.
  int64_t PlayedBytes() {
    std::lock_guard lock(mutex);
    if (!buffer) return -1;
    const uint32_t size = buffer->GetSize();
    return static_cast<int64_t>(written - size + (size + buffer->GetPlayCursor() - nextWrite) % size);
  }
  void Release() {
    std::lock_guard lock(mutex);
    buffer.reset();
    movie = nullptr;
  }
};

std::unique_ptr<CMoviePlayback> CMoviePlayback::Start(IMoviePlayer& player, IAudioDevice* device,
                                                      const std::string& hostPath, int width, int height,
                                                      int32_t attenuation, uint32_t nowMs) {
  std::unique_ptr<IMovie> movie = player.Open(hostPath, width, height);
  if (!movie || !movie->WaitUntilReady(kReadyTimeoutMs)) return nullptr;
  return std::make_unique<CMoviePlayback>(std::move(movie), device, attenuation, nowMs);
}

CMoviePlayback::CMoviePlayback(std::unique_ptr<IMovie> m, IAudioDevice* device, int32_t attenuation,
                               uint32_t nowMs)
    : movie(std::move(m)), feed(std::make_shared<SAudioFeed>()), startMs(nowMs) {
  if (!movie->HasAudio() || !device) return;
  std::weak_ptr<SAudioFeed> weak = feed;
  auto buffer = device->CreateBuffer({2, IMovie::kAudioRate, 16}, kSegmentBytes, [weak] {
    if (auto f = weak.lock()) f->Service();
  });
  if (!buffer) return;
  std::lock_guard lock(feed->mutex);
  feed->movie = movie.get();
  feed->buffer = std::move(buffer);
  for (uint32_t i = 0; i < IAudioBuffer::kSegments; ++i) feed->FillSegment();
  feed->buffer->SetVolume(attenuation);
  feed->buffer->Play();
}

CMoviePlayback::~CMoviePlayback() { feed->Release(); }

int64_t CMoviePlayback::AudioPosition() const {
  const int64_t bytes = feed->PlayedBytes();
  if (bytes < 0) return -1;
  return bytes / IMovie::kAudioBytesPerFrame * 1000 / IMovie::kAudioRate;
}

bool CMoviePlayback::Update(uint32_t nowMs) {
  const int64_t heard = AudioPosition();
  if (heard < 0) {
    position = static_cast<uint32_t>(nowMs - startMs);
  } else {
    if (heard != anchorPosition) {
      anchorPosition = heard;
      anchorMs = nowMs;
    }
    const int64_t since = static_cast<uint32_t>(nowMs - anchorMs);
    position = anchorPosition + (since < kMaxRunAheadMs ? since : kMaxRunAheadMs);
  }
  if (movie->Failed()) return false;
  const int64_t length = movie->Length();
  return length < 0 || position < length;
}

const uint32_t* CMoviePlayback::NewPicture() { return movie->PictureAt(position); }

int32_t CMoviePlayback::Volume() const {
  std::lock_guard lock(feed->mutex);
  return feed->buffer ? feed->buffer->GetVolume() : IAudioBuffer::kSilent;
}

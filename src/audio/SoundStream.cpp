#include "audio/SoundStream.h"

#include <cstring>

uint32_t CSoundStream::SegmentSize(const SWaveFormat& format) {
  const uint64_t s = uint64_t{format.blockAlign} * format.samplesPerSecond * 3 / 4;
  if (format.blockAlign == 0 || s > UINT32_MAX / IAudioBuffer::kSegments) return 0;
  return static_cast<uint32_t>(s - s % format.blockAlign);
}

std::unique_ptr<CSoundStream> CSoundStream::Create(IAudioDevice& device, std::unique_ptr<CSoundSource> source,
                                                   std::function<void()> onSegmentEnd) {
  const SWaveFormat& f = source->GetFormat();
  const uint32_t segment = SegmentSize(f);
  if (!f.IsPcm() || segment == 0 || f.blockAlign != f.channels * (f.bitsPerSample / 8)) {
    return nullptr;
  }
  auto buffer = device.CreateBuffer({f.channels, f.samplesPerSecond, f.bitsPerSample}, segment,
                                    std::move(onSegmentEnd));
  if (!buffer) return nullptr;
  return std::unique_ptr<CSoundStream>(new CSoundStream(std::move(buffer), std::move(source), segment));
}

CSoundStream::CSoundStream(std::unique_ptr<IAudioBuffer> b, std::unique_ptr<CSoundSource> s,
                           uint32_t segmentBytes)
    : buffer(std::move(b)),
      source(std::move(s)),
      segment(segmentBytes),
      silence(source->GetFormat().bitsPerSample == 8 ? 0x80 : 0) {}

uint32_t CSoundStream::Pull(uint32_t length, bool loop) {
  scratch.resize(length);
  uint32_t got = source->Read(scratch.data(), length);
  while (got < length && loop) {
    source->Rewind();
    const uint32_t more = source->Read(scratch.data() + got, length - got);
    // A source that gives nothing from its start cannot fill the loop; it would spin forever.
    if (more == 0) break;
    got += more;
  }
  std::memset(scratch.data() + got, silence, length - got);
  return got;
}

bool CSoundStream::FillAll(bool loop) {
  source->Rewind();
  Pull(buffer->GetSize(), loop);
  nextWrite = 0;
  lastPlay = buffer->GetPlayCursor();
  totalPlayed = 0;
  exhausted = false;
  return buffer->Write(0, scratch.data(), buffer->GetSize());
}

bool CSoundStream::Service(bool loop) {
  const uint32_t size = buffer->GetSize();
  const uint32_t cursor = buffer->GetPlayCursor();
  // The next write offset only moves on when its segment was refilled; a notification that finds
  // the cursor still inside that segment (a late one from an earlier buffer) changes nothing.
  if ((size + cursor - nextWrite) % size >= segment) {
    if (exhausted) {
      scratch.assign(segment, silence);
    } else if (Pull(segment, loop) < segment && !loop) {
      exhausted = true;
    }
    if (!buffer->Write(nextWrite, scratch.data(), segment)) return false;
    nextWrite = (nextWrite + segment) % size;
  }
  const uint32_t now = buffer->GetPlayCursor();
  totalPlayed += (size + now - lastPlay) % size;
  lastPlay = now;
  if (exhausted && totalPlayed >= source->GetSize()) buffer->Stop();
  return true;
}

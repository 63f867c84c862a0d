#include "audio/OggSource.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

bool COggSource::Open(std::vector<uint8_t> file) {
  Close();
  data = std::move(file);
  position = 0;
  const ov_callbacks callbacks{ReadCallback, SeekCallback, CloseCallback, TellCallback};
  if (ov_open_callbacks(this, &vorbis, nullptr, 0, callbacks) != 0) {
    data.clear();
    return false;
  }
  opened = true;
  const vorbis_info* info = ov_info(&vorbis, -1);
  const ogg_int64_t frames = ov_pcm_total(&vorbis, -1);
  if (!info || info->channels < 1 || info->channels > 8 || frames < 0 ||
      !SWaveFormat::IsPlayableRate(static_cast<uint32_t>(std::clamp<long>(info->rate, 0, UINT32_MAX)))) {
    Close();
    return false;
  }
  format = SWaveFormat::Pcm16(static_cast<uint16_t>(info->channels), static_cast<uint32_t>(info->rate));
  // The channels count in 32-bit bytes; longer pieces are cut to what that can address.
  const uint64_t bytes = static_cast<uint64_t>(frames) * format.blockAlign;
  totalSize = static_cast<uint32_t>(std::min<uint64_t>(bytes, std::numeric_limits<uint32_t>::max()));
  return true;
}

void COggSource::Close() {
  if (opened) ov_clear(&vorbis);
  opened = false;
  data.clear();
  data.shrink_to_fit();
  position = 0;
  format = SWaveFormat();
  pendingOffset = pendingCount = totalSize = 0;
}

uint32_t COggSource::Read(uint8_t* destination, uint32_t length) {
  if (!opened) return 0;
  uint32_t written = 0;
  while (written < length) {
    if (pendingCount == 0) {
      int bitstream = 0;
      const long got =
          ov_read(&vorbis, decoded.data(), static_cast<int>(decoded.size()), 0, 2, 1, &bitstream);
      if (got <= 0 || !LinkMatchesFormat(bitstream)) break;
      pendingOffset = 0;
      pendingCount = static_cast<uint32_t>(got);
    }
    const uint32_t count = std::min(length - written, pendingCount);
    std::memcpy(destination + written, decoded.data() + pendingOffset, count);
    written += count;
    pendingOffset += count;
    pendingCount -= count;
  }
  return written;
}

bool COggSource::LinkMatchesFormat(int link) {
  // A chained file whose later part has another channel count or rate would play as noise at the
  // wrong speed; the data ends where the layout changes.
  const vorbis_info* info = ov_info(&vorbis, link);
  return info && info->channels == format.channels &&
         info->rate == static_cast<long>(format.samplesPerSecond);
}

void COggSource::Rewind() {
  if (opened) ov_raw_seek(&vorbis, 0);
  pendingOffset = pendingCount = 0;
}

size_t COggSource::ReadCallback(void* destination, size_t elementSize, size_t count, void* self) {
  auto* source = static_cast<COggSource*>(self);
  if (elementSize == 0) return 0;
  const size_t elements = std::min(count, (source->data.size() - source->position) / elementSize);
  if (elements) std::memcpy(destination, source->data.data() + source->position, elements * elementSize);
  source->position += elements * elementSize;
  return elements;
}

int COggSource::SeekCallback(void* self, ogg_int64_t offset, int origin) {
  auto* source = static_cast<COggSource*>(self);
  ogg_int64_t target = offset;
  if (origin == SEEK_CUR) target += static_cast<ogg_int64_t>(source->position);
  if (origin == SEEK_END) target += static_cast<ogg_int64_t>(source->data.size());
  // A position outside the file would make the next read run past the buffer.
  if (target < 0 || target > static_cast<ogg_int64_t>(source->data.size())) return -1;
  source->position = static_cast<size_t>(target);
  return 0;
}

int COggSource::CloseCallback(void*) { return 0; }

long COggSource::TellCallback(void* self) {
  return static_cast<long>(static_cast<COggSource*>(self)->position);
}

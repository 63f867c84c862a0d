#include "audio/WaveSource.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kRiffHeader = 12;  // "RIFF", size, form type
constexpr uint32_t kChunkHeader = 8;  // id, size
constexpr uint32_t kPcmFormatBytes = 16;

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

bool CWaveSource::Open(std::vector<uint8_t> file) {
  Close();
  data = std::move(file);
  if (data.size() < kRiffHeader || std::memcmp(data.data(), "RIFF", 4) != 0 ||
      std::memcmp(data.data() + 8, "WAVE", 4) != 0) {
    Close();
    return false;
  }
  // Writers that never patched the RIFF size are common; the buffer's end bounds the form as well.
  const uint64_t declaredEnd = uint64_t{kChunkHeader} + Le32(data.data() + 4);
  formEnd = static_cast<uint32_t>(std::min<uint64_t>(declaredEnd, data.size()));
  SChunk fmt;
  if (!FindChunk("fmt ", fmt) || fmt.truncated || !ReadFormat(fmt) || !FindChunk("data", dataChunk)) {
    Close();
    return false;
  }
  Rewind();
  dataSize = dataChunk.size;
  return true;
}

void CWaveSource::Close() {
  data.clear();
  data.shrink_to_fit();
  format = SWaveFormat();
  formEnd = 0;
  dataChunk = SChunk();
  readOffset = bytesLeft = dataSize = 0;
}

bool CWaveSource::FindChunk(const char* id, SChunk& chunk) const {
  uint32_t offset = kRiffHeader;
  while (formEnd >= kChunkHeader && offset <= formEnd - kChunkHeader) {
    const uint32_t size = Le32(data.data() + offset + 4);
    const uint32_t body = offset + kChunkHeader;
    const uint32_t available = formEnd - body;
    if (std::memcmp(data.data() + offset, id, 4) == 0) {
      chunk.offset = body;
      chunk.size = std::min(size, available);
      chunk.truncated = size > available;
      return true;
    }
    // Chunks of odd size are followed by one pad byte.
    const uint64_t next = uint64_t{body} + size + (size & 1);
    if (next > formEnd) return false;
    offset = static_cast<uint32_t>(next);
  }
  return false;
}

bool CWaveSource::ReadFormat(const SChunk& chunk) {
  if (chunk.size < kPcmFormatBytes) return false;
  const uint8_t* p = data.data() + chunk.offset;
  format.formatTag = Le16(p);
  format.channels = Le16(p + 2);
  format.samplesPerSecond = Le32(p + 4);
  format.averageBytesPerSecond = Le32(p + 8);
  format.blockAlign = Le16(p + 12);
  format.bitsPerSample = Le16(p + 14);
  // The channels mix mono and stereo sounds only.
  if (format.channels < 1 || format.channels > 2 || !SWaveFormat::IsPlayableRate(format.samplesPerSecond))
    return false;
  // Only non-PCM tags carry a size word and codec bytes; a 16-byte chunk has none to give.
  if (format.formatTag == SWaveFormat::kPcm || chunk.size < kPcmFormatBytes + 2) return true;
  const uint16_t extraSize = Le16(p + kPcmFormatBytes);
  if (extraSize > chunk.size - kPcmFormatBytes - 2) return false;
  const uint8_t* extra = p + kPcmFormatBytes + 2;
  format.extra.assign(extra, extra + extraSize);
  return true;
}

void CWaveSource::Rewind() {
  readOffset = dataChunk.offset;
  bytesLeft = dataChunk.size;
}

uint32_t CWaveSource::Read(uint8_t* destination, uint32_t length) {
  const uint32_t count = std::min(length, bytesLeft);
  if (count) std::memcpy(destination, data.data() + readOffset, count);
  readOffset += count;
  bytesLeft -= count;
  return count;
}

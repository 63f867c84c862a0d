#include "audio/SoundSource.h"

#include <cstdio>
#include <cstring>

#include "audio/AdpcmSource.h"
#include "audio/OggSource.h"
#include "audio/WaveSource.h"
#include "io/PackArchive.h"

SWaveFormat SWaveFormat::Pcm16(uint16_t channelCount, uint32_t rate) {
  SWaveFormat f;
  f.formatTag = kPcm;
  f.channels = channelCount;
  f.samplesPerSecond = rate;
  f.blockAlign = static_cast<uint16_t>(channelCount * 2);
  f.averageBytesPerSecond = f.blockAlign * rate;
  f.bitsPerSample = 16;
  return f;
}

bool SWaveFormat::IsPcm() const {
  if (formatTag == kPcm) return true;
  // WAVE_FORMAT_EXTENSIBLE: valid bits (2), channel mask (4), then the sub-format GUID, whose first
  // two bytes are the plain format tag.
  constexpr size_t kSubFormat = 6;
  return formatTag == kExtensible && extra.size() >= kSubFormat + 16 && extra[kSubFormat] == kPcm &&
         extra[kSubFormat + 1] == 0;
}

std::unique_ptr<CSoundSource> CSoundSource::FromMemory(std::vector<uint8_t> file) {
  std::unique_ptr<CSoundSource> source;
  if (file.size() >= 4 && std::memcmp(file.data(), "RIFF", 4) == 0) {
    source = std::make_unique<CWaveSource>();
  } else if (file.size() >= 4 && std::memcmp(file.data(), "SShd", 4) == 0) {
    source = std::make_unique<CAdpcmSource>();
  } else {
    source = std::make_unique<COggSource>();
  }
  source->Open(std::move(file));
  return source;
}

std::unique_ptr<CSoundSource> CSoundSource::FromFile(const std::string& name) {
  uint32_t size = 0;
  FILE* stream = CPackArchive::Instance().OpenStream(name, size);
  if (!stream) return nullptr;
  std::vector<uint8_t> file(size);
  const size_t got = size ? std::fread(file.data(), 1, size, stream) : 0;
  std::fclose(stream);
  // A stream that ends early still plays what it holds; the decoders check every size.
  file.resize(got);
  return FromMemory(std::move(file));
}

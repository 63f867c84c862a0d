#pragma once
#include <vorbis/vorbisfile.h>

#include <array>

#include "audio/SoundSource.h"

// An Ogg Vorbis file decoded by vorbisfile straight from the memory buffer.
class COggSource : public CSoundSource {
 public:
  COggSource() = default;
  COggSource(const COggSource&) = delete;
  COggSource& operator=(const COggSource&) = delete;
  ~COggSource() override { Close(); }

  bool Open(std::vector<uint8_t> file) override;
  void Close() override;
  uint32_t Read(uint8_t* destination, uint32_t length) override;
  uint32_t GetSize() const override { return totalSize; }
  void Rewind() override;

 private:
  bool LinkMatchesFormat(int link);
  static size_t ReadCallback(void* destination, size_t elementSize, size_t count, void* self);
  static int SeekCallback(void* self, ogg_int64_t offset, int origin);
  static int CloseCallback(void* self);
  static long TellCallback(void* self);

  std::vector<uint8_t> data;
  size_t position = 0;  // the callbacks' read position in data
  OggVorbis_File vorbis{};
  bool opened = false;
  std::array<char, 4096> decoded{};
  uint32_t pendingOffset = 0;  // decoded bytes not yet handed out
  uint32_t pendingCount = 0;
  uint32_t totalSize = 0;
};

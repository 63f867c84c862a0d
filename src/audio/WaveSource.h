#pragma once
#include "audio/SoundSource.h"

// A RIFF WAVE file. The chunks are walked directly in the memory buffer; every declared size is
// checked against the bytes that are really there.
class CWaveSource : public CSoundSource {
 public:
  bool Open(std::vector<uint8_t> file) override;
  void Close() override;
  uint32_t Read(uint8_t* destination, uint32_t length) override;
  uint32_t GetSize() const override { return dataSize; }
  void Rewind() override;

 private:
  struct SChunk {
    uint32_t offset = 0;  // first byte of the chunk's data
    uint32_t size = 0;    // declared size, clamped to the bytes available
    bool truncated = false;
  };
  // Finds the first chunk with the id among the RIFF form's sub-chunks.
  bool FindChunk(const char* id, SChunk& chunk) const;
  bool ReadFormat(const SChunk& chunk);

  std::vector<uint8_t> data;
  uint32_t formEnd = 0;  // end of the RIFF chunk within the buffer
  SChunk dataChunk;
  uint32_t readOffset = 0;  // next byte of the data chunk to hand out
  uint32_t bytesLeft = 0;
  uint32_t dataSize = 0;
};

#pragma once
#include <array>

#include "audio/SoundSource.h"

// An "SShd" file: console ADPCM in blocks that hold a run of 16-byte frames for each channel in
// turn. Frames decode 28 samples each with one of five second-order predictors.
class CAdpcmSource : public CSoundSource {
 public:
  static constexpr uint32_t kHeaderSize = 40;
  static constexpr uint32_t kFrameBytes = 16;
  static constexpr uint32_t kSamplesPerFrame = 28;

  bool Open(std::vector<uint8_t> file) override;
  void Close() override;
  uint32_t Read(uint8_t* destination, uint32_t length) override;
  uint32_t GetSize() const override;
  void Rewind() override;

  // Decoded bytes of one block (all channels).
  uint32_t BlockBytes() const { return static_cast<uint32_t>(block.size()); }

 private:
  void DecodeBlock();
  // Decodes one frame of channel c into the block at frame index f; false at the end flag.
  bool DecodeFrame(const uint8_t* frame, uint32_t c, uint32_t f);

  std::vector<uint8_t> data;
  uint32_t readPosition = kHeaderSize;
  uint32_t framesPerChannel = 0;                   // frames of one channel in a block
  std::array<std::array<double, 2>, 2> history{};  // previous and the one before, per channel
  std::vector<uint8_t> block;
  uint32_t blockOffset = 0;  // first byte of the block not yet handed out
  uint32_t blockFilled = 0;  // bytes of the block decoded
};

#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The PCM layout of a decoded sound, field for field the WAVEFORMATEX record the channels were
// built around; extra holds the codec bytes that follow it in a non-PCM WAVE "fmt " chunk.
struct SWaveFormat {
  static constexpr uint16_t kPcm = 1;
  static constexpr uint16_t kExtensible = 0xFFFE;
  uint16_t formatTag = 0;
  uint16_t channels = 0;
  uint32_t samplesPerSecond = 0;
  uint32_t averageBytesPerSecond = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
  std::vector<uint8_t> extra;

  // Plain integer PCM: tag 1, or the extensible tag whose sub-format is PCM.
  bool IsPcm() const;
  // Whether a rate can reach the device: the resampler's buffers are sized from it, and rates of
  // megahertz in a damaged header would make them overflow.
  static constexpr uint32_t kMinRate = 1000;
  static constexpr uint32_t kMaxRate = 384000;
  static bool IsPlayableRate(uint32_t rate) { return rate >= kMinRate && rate <= kMaxRate; }
  // 16-bit PCM with the derived block and byte rates.
  static SWaveFormat Pcm16(uint16_t channels, uint32_t samplesPerSecond);
};

// A sound file held whole in memory, handed out as PCM bytes in pieces. The channel streaming
// never knows which format it reads.
class CSoundSource {
 public:
  virtual ~CSoundSource() = default;

  // Takes the whole file and prepares decoding; false when the data cannot be decoded.
  virtual bool Open(std::vector<uint8_t> file) = 0;
  virtual void Close() = 0;
  // Fills up to length bytes and returns how many were written: fewer only at the end of the data.
  virtual uint32_t Read(uint8_t* destination, uint32_t length) = 0;
  // Total decoded length in bytes; 0 marks a source that cannot be played.
  virtual uint32_t GetSize() const = 0;
  virtual void Rewind() = 0;
  const SWaveFormat& GetFormat() const { return format; }

  // Chooses the decoder by the first four bytes ("RIFF", "SShd", anything else Ogg Vorbis) and opens
  // it; the result's GetSize is 0 when the data is unusable.
  static std::unique_ptr<CSoundSource> FromMemory(std::vector<uint8_t> file);
  // Reads the named data file whole through the archive layer; none when it cannot be opened.
  static std::unique_ptr<CSoundSource> FromFile(const std::string& name);

 protected:
  SWaveFormat format;
};

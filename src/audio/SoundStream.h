#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "audio/SoundSource.h"
#include "platform/AudioDevice.h"

// A channel's looping device buffer of four segments and the source that refills it. The streaming
// thread refills the segment the play cursor has just left, so three segments are always queued.
class CSoundStream {
 public:
  // ¾ s of the format, in whole blocks.
  static uint32_t SegmentSize(const SWaveFormat& format);

  // A stream for the source, or none when the format is not PCM the device can play.
  static std::unique_ptr<CSoundStream> Create(IAudioDevice& device, std::unique_ptr<CSoundSource> source,
                                              std::function<void()> onSegmentEnd);

  // Fills the whole buffer from the start of the source (looping or padding with silence).
  bool FillAll(bool loop);
  // Refills the segment behind the play cursor; stops the buffer once every byte of a non-looping
  // source has been played. False when the buffer refused the data.
  bool Service(bool loop);

  IAudioBuffer& Buffer() { return *buffer; }
  const CSoundSource& Source() const { return *source; }
  uint32_t Segment() const { return segment; }

 private:
  CSoundStream(std::unique_ptr<IAudioBuffer> b, std::unique_ptr<CSoundSource> s, uint32_t segmentBytes);
  // Reads length bytes into scratch: rewinding a looping source as often as needed, padding the rest
  // with silence otherwise. Returns the bytes that came from the source.
  uint32_t Pull(uint32_t length, bool loop);

  std::unique_ptr<IAudioBuffer> buffer;
  std::unique_ptr<CSoundSource> source;
  const uint32_t segment;
  const uint8_t silence;
  std::vector<uint8_t> scratch;
  uint32_t nextWrite = 0;
  uint32_t lastPlay = 0;
  uint64_t totalPlayed = 0;
  bool exhausted = false;
};

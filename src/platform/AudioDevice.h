#pragma once
#include <cstdint>
#include <functional>
#include <memory>

// The PCM format of one buffer: integer PCM, 8-bit unsigned or 16-bit signed little-endian.
struct SAudioFormat {
  uint16_t channels = 0;
  uint32_t samplesPerSecond = 0;
  uint16_t bitsPerSample = 0;
  uint16_t BlockAlign() const { return static_cast<uint16_t>(channels * (bitsPerSample / 8)); }
};

// One looping playback buffer of four equal segments. The play cursor runs through the buffer and
// wraps; each time it passes the last byte of a segment the buffer's notification is called.
class IAudioBuffer {
 public:
  static constexpr uint32_t kSegments = 4;

  virtual ~IAudioBuffer() = default;
  virtual uint32_t GetSize() const = 0;
  // Copies bytes into the buffer; false when the range does not lie inside it.
  virtual bool Write(uint32_t offset, const uint8_t* bytes, uint32_t count) = 0;
  // Starts looping playback from the play cursor; Stop keeps the cursor where it is.
  virtual void Play() = 0;
  virtual void Stop() = 0;
  virtual bool IsPlaying() const = 0;
  // Byte offset of the next byte to be played.
  virtual uint32_t GetPlayCursor() const = 0;
  // Attenuation in hundredths of a decibel, 0 (full) down to kSilent.
  virtual void SetVolume(int32_t hundredthsOfDecibel) = 0;
  virtual int32_t GetVolume() const = 0;

  static constexpr int32_t kSilent = -10000;
};

// The sound output: buffers mixed into one 44100 Hz 16-bit stereo stream.
class IAudioDevice {
 public:
  virtual ~IAudioDevice() = default;
  // A stopped buffer of kSegments × segmentBytes bytes of silence, or none when the format cannot
  // be played. onSegmentEnd may be called from the device's own thread; it must return quickly
  // when IsRealTime() is true. The device must outlive its buffers.
  virtual std::unique_ptr<IAudioBuffer> CreateBuffer(const SAudioFormat& format, uint32_t segmentBytes,
                                                     std::function<void()> onSegmentEnd) = 0;
  // False when the play cursors follow a simulated clock: a notified listener should then finish
  // its refill before returning, so that the output does not depend on thread timing.
  virtual bool IsRealTime() const = 0;
};

#include "platform/headless/HeadlessAudioDevice.h"

#include <algorithm>
#include <cstring>

namespace {

// Mixing in pieces of about 46 ms lets every refill asked for by a notification land long before
// the cursor comes back to that segment, however far one call advances.
constexpr uint32_t kChunkFrames = 2048;
constexpr uint32_t kFrameBytes = CSdlAudioDevice::kOutputChannels * 2;
constexpr uint32_t kHeaderBytes = 44;
// A RIFF size field cannot describe more; the file stops growing there.
constexpr uint64_t kMaxDataBytes = 0xFFFFFFFFull - kHeaderBytes;

void PutLe(uint8_t* p, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

CHeadlessAudioDevice::~CHeadlessAudioDevice() { CloseOutput(); }

bool CHeadlessAudioDevice::OpenOutput(const std::string& path) {
  CloseOutput();
  file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bytesWritten = 0;
  writeFailed = false;
  WriteHeader(0);
  return !writeFailed;
}

bool CHeadlessAudioDevice::CloseOutput() {
  if (!file) return true;
  std::fseek(file, 0, SEEK_SET);
  WriteHeader(static_cast<uint32_t>(bytesWritten));
  if (std::fclose(file) != 0) writeFailed = true;
  file = nullptr;
  return !writeFailed;
}

void CHeadlessAudioDevice::WriteHeader(uint32_t dataBytes) {
  uint8_t header[kHeaderBytes];
  std::memcpy(header, "RIFF", 4);
  PutLe(header + 4, dataBytes + kHeaderBytes - 8, 4);
  std::memcpy(header + 8, "WAVEfmt ", 8);
  PutLe(header + 16, 16, 4);
  PutLe(header + 20, 1, 2);
  PutLe(header + 22, CSdlAudioDevice::kOutputChannels, 2);
  PutLe(header + 24, CSdlAudioDevice::kOutputRate, 4);
  PutLe(header + 28, CSdlAudioDevice::kOutputRate * kFrameBytes, 4);
  PutLe(header + 32, kFrameBytes, 2);
  PutLe(header + 34, 16, 2);
  std::memcpy(header + 36, "data", 4);
  PutLe(header + 40, dataBytes, 4);
  if (std::fwrite(header, 1, kHeaderBytes, file) != kHeaderBytes) writeFailed = true;
}

void CHeadlessAudioDevice::AdvanceTo(uint32_t milliseconds) {
  const uint64_t target = uint64_t{milliseconds} * CSdlAudioDevice::kOutputRate / 1000;
  while (framesMixed < target) {
    const uint32_t frames = static_cast<uint32_t>(std::min<uint64_t>(target - framesMixed, kChunkFrames));
    chunk.resize(size_t{frames} * CSdlAudioDevice::kOutputChannels);
    mixer.Mix(chunk.data(), frames);
    framesMixed += frames;
    const uint32_t bytes = frames * kFrameBytes;
    if (!file || bytesWritten + bytes > kMaxDataBytes) continue;
    // The samples are little-endian on every machine this runs on, as the WAVE format wants.
    if (std::fwrite(chunk.data(), 1, bytes, file) != bytes) writeFailed = true;
    bytesWritten += bytes;
  }
}

std::unique_ptr<IAudioBuffer> CHeadlessAudioDevice::CreateBuffer(const SAudioFormat& format,
                                                                 uint32_t segmentBytes,
                                                                 std::function<void()> onSegmentEnd) {
  return mixer.CreateBuffer(format, segmentBytes, std::move(onSegmentEnd));
}

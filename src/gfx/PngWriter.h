#pragma once
#include <cstdint>
#include <string>

// Writes PNG files (screenshots, decoded images) with libpng, encoded in memory and written through
// CAtomicFile, so a failed write leaves an older file whole.
class CPngWriter {
 public:
  // Writes BGRA pixels (the engine's byte order) as 8-bit RGB, alpha dropped, or as RGBA. The stride
  // is counted in pixels.
  static bool Write(const std::string& path, const uint32_t* pixels, int width, int height, int stride,
                    bool keepAlpha);
};

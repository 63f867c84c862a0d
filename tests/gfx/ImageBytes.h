#pragma once
// Helpers for tests that build image files byte by byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gfx/Surface.h"

inline void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = uint8_t(v);
  b[at + 1] = uint8_t(v >> 8);
}

inline void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  Put16(b, at, v);
  Put16(b, at + 2, v >> 16);
}

using MemoryDecoder = bool (*)(const uint8_t*, size_t, CSurface&);

// Decodes and checks that the result and the surface agree.
inline CSurface DecodeWith(MemoryDecoder decode, const std::vector<uint8_t>& bytes) {
  CSurface s;
  const bool decoded = decode(bytes.data(), bytes.size(), s);
  EXPECT_EQ(decoded, !s.IsEmpty());
  return s;
}

// Every proper prefix of a file is refused and leaves the surface empty.
inline void ExpectEmptyWhenTruncated(MemoryDecoder decode, const std::vector<uint8_t>& full) {
  for (size_t n = 0; n < full.size(); ++n) {
    CSurface s;
    s.CreateBlank(1, 1);
    EXPECT_FALSE(decode(full.data(), n, s)) << "length " << n;
    EXPECT_TRUE(s.IsEmpty()) << "length " << n;
  }
}

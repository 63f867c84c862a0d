#pragma once
#include <cstdint>

// The engine's one random generator: the classic linear congruential rand(), 0 to 32767.
class CRandom {
 public:
  void Seed(uint32_t seed) { state = seed; }
  int32_t Next() {
    state = state * 214013u + 2531011u;
    return static_cast<int32_t>((state >> 16) & 0x7FFF);
  }

 private:
  uint32_t state = 1;
};

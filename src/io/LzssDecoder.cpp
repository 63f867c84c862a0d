#include "io/LzssDecoder.h"

size_t CLzssDecoder::Decode(CByteInput& input, uint8_t* out, size_t size) {
  uint8_t ring[kRingSize] = {};
  unsigned write = kRingStart;
  size_t produced = 0;
  while (produced < size) {
    int flags = input.Next();
    if (flags < 0) break;
    for (int bit = 0; bit < 8 && produced < size; ++bit) {
      if (flags & (1 << bit)) {
        int stored = input.Next();
        if (stored < 0) return produced;
        uint8_t value = static_cast<uint8_t>(255 - stored);
        out[produced++] = value;
        ring[write] = value;
        write = (write + 1) & (kRingSize - 1);
        continue;
      }
      int b0 = input.Next();
      int b1 = input.Next();
      if (b1 < 0) return produced;
      unsigned from = static_cast<unsigned>(b0 | ((b1 & 0xF0) << 4));
      int length = (b1 & 0x0F) + kMinMatch;
      for (int i = 0; i < length && produced < size; ++i) {
        uint8_t value = ring[(from + i) & (kRingSize - 1)];
        out[produced++] = value;
        ring[write] = value;
        write = (write + 1) & (kRingSize - 1);
      }
    }
  }
  return produced;
}

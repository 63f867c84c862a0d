#include "io/LzssDecoder.h"

// The ring buffer is not kept: ring position q holds the latest output byte k with
// (kRingStart + k) mod kRingSize == q, or zero when none was written yet. So a match at ring
// position p copies from the output distance d = (write - p) mod kRingSize back (4096 for 0),
// reading zeros before the start of the output.
size_t CLzssDecoder::Decode(CByteInput& input, uint8_t* out, size_t size) {
  size_t produced = 0;
  while (produced < size) {
    int flags = input.Next();
    if (flags < 0) break;
    for (int bit = 0; bit < 8 && produced < size; ++bit) {
      if (flags & (1 << bit)) {
        int stored = input.Next();
        if (stored < 0) return produced;
        out[produced++] = static_cast<uint8_t>(255 - stored);
        continue;
      }
      int b0 = input.Next();
      int b1 = input.Next();
      if (b1 < 0) return produced;
      const size_t from = static_cast<size_t>(b0 | ((b1 & 0xF0) << 4));
      const size_t write = (kRingStart + produced) & (kRingSize - 1);
      size_t distance = (write - from) & (kRingSize - 1);
      if (distance == 0) distance = kRingSize;
      size_t length = static_cast<size_t>((b1 & 0x0F) + kMinMatch);
      if (length > size - produced) length = size - produced;
      for (size_t i = 0; i < length; ++i, ++produced)
        out[produced] = produced >= distance ? out[produced - distance] : 0;
    }
  }
  return produced;
}

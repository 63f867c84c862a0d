#include "io/LzssDecoder.h"

namespace {

// Reads bytes known to be in the buffer, without end checks.
struct SUncheckedInput {
  const uint8_t* cursor;
  int Next() { return *cursor++; }
};

// The longest group: a flag byte and eight two-byte matches.
constexpr size_t kMaxGroup = 17;

// The ring buffer is not kept: ring position q holds the latest output byte k with
// (kRingStart + k) mod kRingSize == q, or zero when none was written yet. So a match at ring
// position p copies from the output distance d = (write - p) mod kRingSize back (4096 for 0),
// reading zeros before the start of the output.
void CopyMatch(int b0, int b1, uint8_t* out, size_t size, size_t& produced) {
  constexpr size_t kMask = CLzssDecoder::kRingSize - 1;
  const size_t from = static_cast<size_t>(b0 | ((b1 & 0xF0) << 4));
  const size_t write = (CLzssDecoder::kRingStart + produced) & kMask;
  size_t distance = (write - from) & kMask;
  if (distance == 0) distance = CLzssDecoder::kRingSize;
  size_t length = static_cast<size_t>((b1 & 0x0F) + CLzssDecoder::kMinMatch);
  if (length > size - produced) length = size - produced;
  if (produced >= distance) {
    // Byte by byte: a match may overlap the bytes it is producing.
    const uint8_t* source = out + produced - distance;
    uint8_t* target = out + produced;
    for (size_t i = 0; i < length; ++i) target[i] = source[i];
    produced += length;
    return;
  }
  for (size_t i = 0; i < length; ++i, ++produced)
    out[produced] = produced >= distance ? out[produced - distance] : 0;
}

// Decodes one group of a flag byte and up to eight items; false when the input ended.
template <typename Input>
bool DecodeGroup(Input& input, uint8_t* out, size_t size, size_t& produced) {
  const int flags = input.Next();
  if (flags < 0) return false;
  for (int bit = 0; bit < 8 && produced < size; ++bit) {
    if (flags & (1 << bit)) {
      const int stored = input.Next();
      if (stored < 0) return false;
      out[produced++] = static_cast<uint8_t>(255 - stored);
      continue;
    }
    const int b0 = input.Next();
    const int b1 = input.Next();
    if (b1 < 0) return false;
    CopyMatch(b0, b1, out, size, produced);
  }
  return true;
}

}  // namespace

size_t CLzssDecoder::Decode(CByteInput& input, uint8_t* out, size_t size) {
  size_t produced = 0;
  while (produced < size) {
    if (const uint8_t* buffered = input.Peek(kMaxGroup)) {
      SUncheckedInput fast{buffered};
      DecodeGroup(fast, out, size, produced);
      input.Skip(static_cast<size_t>(fast.cursor - buffered));
    } else if (!DecodeGroup(input, out, size, produced)) {
      break;
    }
  }
  return produced;
}

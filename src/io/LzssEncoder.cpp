#include "io/LzssEncoder.h"

#include <algorithm>

#include "io/LzssDecoder.h"

namespace {
constexpr size_t kPrefix = CLzssDecoder::kRingSize;
constexpr size_t kMaxDistance = CLzssDecoder::kRingSize;

size_t Hash(const uint8_t* p) { return ((p[0] << 10) ^ (p[1] << 5) ^ p[2]) & 0x7FFF; }
}  // namespace

CLzssEncoder::CLzssEncoder(const uint8_t* data, size_t size)
    : window(kPrefix, 0), head(kHashSize, -1), previous(kChainSize, -1) {
  window.insert(window.end(), data, data + size);
  out.reserve(size / 2 + 16);
}

std::vector<uint8_t> CLzssEncoder::Encode(const uint8_t* data, size_t size, bool literalFirstGroup) {
  CLzssEncoder encoder(data, size);
  encoder.Run(literalFirstGroup);
  return std::move(encoder.out);
}

void CLzssEncoder::Insert(size_t position) {
  if (position + CLzssDecoder::kMinMatch > window.size()) return;
  size_t h = Hash(&window[position]);
  previous[position & (kChainSize - 1)] = head[h];
  head[h] = static_cast<int32_t>(position);
}

CLzssEncoder::SMatch CLzssEncoder::FindMatch(size_t position) const {
  SMatch best;
  if (position + CLzssDecoder::kMinMatch > window.size()) return best;
  const size_t limit = std::min<size_t>(CLzssDecoder::kMaxMatch, window.size() - position);
  int32_t candidate = head[Hash(&window[position])];
  for (int chain = 0; candidate >= 0 && chain < kMaxChain; ++chain) {
    size_t from = static_cast<size_t>(candidate);
    if (position - from > kMaxDistance) break;
    size_t length = 0;
    while (length < limit && window[from + length] == window[position + length]) ++length;
    if (length > best.length) {
      best = {length, from};
      if (length == limit) break;
    }
    candidate = previous[from & (kChainSize - 1)];
  }
  if (best.length < CLzssDecoder::kMinMatch) best.length = 0;
  return best;
}

void CLzssEncoder::BeginItem() {
  if (itemCount % 8 == 0) {
    flagIndex = out.size();
    out.push_back(0);
  }
}

void CLzssEncoder::PutLiteral(size_t position) {
  BeginItem();
  out[flagIndex] |= static_cast<uint8_t>(1 << (itemCount % 8));
  out.push_back(static_cast<uint8_t>(255 - window[position]));
  ++itemCount;
}

void CLzssEncoder::PutMatch(const SMatch& match) {
  BeginItem();
  // The ring position of window byte q is (q - 4096 + 4078) mod 4096.
  size_t ring = (match.from + CLzssDecoder::kRingStart) & (CLzssDecoder::kRingSize - 1);
  out.push_back(static_cast<uint8_t>(ring & 0xFF));
  out.push_back(static_cast<uint8_t>(((ring >> 8) << 4) | (match.length - CLzssDecoder::kMinMatch)));
  ++itemCount;
}

void CLzssEncoder::Run(bool literalFirstGroup) {
  for (size_t p = 0; p < kPrefix; ++p) Insert(p);
  size_t position = kPrefix;
  while (position < window.size()) {
    SMatch match = (literalFirstGroup && itemCount < 8) ? SMatch{} : FindMatch(position);
    Insert(position);
    // One step of lazy evaluation: a longer match at the next byte is worth a literal now.
    if (match.length > 0 && match.length < CLzssDecoder::kMaxMatch &&
        FindMatch(position + 1).length > match.length)
      match.length = 0;
    if (match.length == 0) {
      PutLiteral(position);
      ++position;
      continue;
    }
    PutMatch(match);
    for (size_t i = 1; i < match.length; ++i) Insert(position + i);
    position += match.length;
  }
}

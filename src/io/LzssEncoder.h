#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Compresses for CLzssDecoder with a hash-chain match search. The decoder's zero-filled ring
// buffer is modelled as 4096 zero bytes before the data, so runs of zeros compress from the start.
class CLzssEncoder {
 public:
  // literalFirstGroup makes the first eight items literals, so the first byte is the flag 0xFF
  // (used when an output would otherwise begin like a sound file's magic).
  static std::vector<uint8_t> Encode(const uint8_t* data, size_t size, bool literalFirstGroup = false);

 private:
  struct SMatch {
    size_t length = 0;
    size_t from = 0;
  };
  static constexpr size_t kHashSize = 1 << 15;
  // Chain links are kept for the last 8192 positions only: a match never reaches further back
  // than 4096, so older links are never followed.
  static constexpr size_t kChainSize = 1 << 13;
  static constexpr int kMaxChain = 48;

  CLzssEncoder(const uint8_t* data, size_t size);
  void Insert(size_t position);
  SMatch FindMatch(size_t position) const;
  void PutLiteral(size_t position);
  void PutMatch(const SMatch& match);
  void BeginItem();
  void Run(bool literalFirstGroup);

  std::vector<uint8_t> window;  // 4096 zeros, then the data
  std::vector<int32_t> head;
  std::vector<int32_t> previous;  // by position modulo kChainSize
  std::vector<uint8_t> out;
  size_t flagIndex = 0;
  int itemCount = 0;
};

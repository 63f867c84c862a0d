#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "io/LzssDecoder.h"
#include "io/LzssEncoder.h"

namespace {

std::vector<uint8_t> Decode(const std::vector<uint8_t>& stored, size_t size) {
  std::vector<uint8_t> out(size, 0xEE);
  CByteInput input(stored.data(), stored.size());
  out.resize(CLzssDecoder::Decode(input, out.data(), size));
  return out;
}

std::vector<uint8_t> RoundTrip(const std::vector<uint8_t>& data, size_t* storedSize = nullptr) {
  std::vector<uint8_t> stored = CLzssEncoder::Encode(data.data(), data.size());
  if (storedSize) *storedSize = stored.size();
  return Decode(stored, data.size());
}

std::vector<uint8_t> ScriptLikeText(size_t size) {
  static const char* const kWords[] = {"<IMG SRC=bg01.png EFFECT=FADE TIME=30>",
                                       "\x82\xA0\x82\xA2\x82\xA4",
                                       "\r\n",
                                       "<SOUND SRC=voice01.ogg CHANNEL=3>",
                                       "\x81\x75",
                                       "\x81\x76"};
  std::mt19937 random(3);
  std::vector<uint8_t> out;
  while (out.size() < size) {
    const char* word = kWords[random() % 6];
    out.insert(out.end(), word, word + std::strlen(word));
  }
  out.resize(size);
  return out;
}

TEST(LzssDecoderTest, LiteralsMatchesAndTheZeroFilledRing) {
  // Flags 0b0010: literal 'x', then a match at 4078 (the 'x') of 4 bytes overlapping itself.
  EXPECT_EQ(Decode({0x01, 0x87, 0xEE, 0xF1}, 5), std::vector<uint8_t>(5, 'x'));
  // A match at ring position 0 reads the initial zeros.
  EXPECT_EQ(Decode({0x00, 0x00, 0x00}, 3), std::vector<uint8_t>(3, 0));
  // Position 0xFEF (b0 0xEF, high nibble of b1 0xF) is the unwritten byte after the literal.
  EXPECT_EQ(Decode({0x01, 0x9E, 0xEF, 0xF0}, 4), (std::vector<uint8_t>{'a', 0, 0, 0}));
  // The match would give 18 bytes; the output stops at the size.
  EXPECT_EQ(Decode({0x01, 0x9E, 0xEE, 0xFF}, 7), std::vector<uint8_t>(7, 'a'));
}

TEST(LzssDecoderTest, MatchesReadTheRingAfterItWrappedAround) {
  std::vector<uint8_t> stored;
  std::vector<uint8_t> expected;
  for (int k = 0; k < 4100; ++k) {
    if (k % 8 == 0) stored.push_back(k < 4096 ? 0xFF : 0x0F);
    expected.push_back(static_cast<uint8_t>(k % 251));
    stored.push_back(static_cast<uint8_t>(255 - expected.back()));
  }
  // Ring position 4088 still holds output byte 10; position 4079 held byte 1, then byte 4097.
  stored.insert(stored.end(), {0xF8, 0xF0, 0xEF, 0xF0});
  expected.insert(expected.end(), {10, 11, 12, 4097 % 251, 4098 % 251, 4099 % 251});
  EXPECT_EQ(Decode(stored, expected.size()), expected);
}

TEST(LzssDecoderTest, TruncatedInputEndsTheOutputEarly) {
  EXPECT_EQ(Decode({}, 4).size(), 0u);
  EXPECT_EQ(Decode({0xFF, 0x9E}, 4).size(), 1u);
  EXPECT_EQ(Decode({0x01, 0x9E, 0xEE}, 4).size(), 1u);  // half a match
  std::mt19937 random(11);
  for (int round = 0; round < 300; ++round) {
    std::vector<uint8_t> garbage(random() % 64);
    for (uint8_t& b : garbage) b = static_cast<uint8_t>(random());
    EXPECT_LE(Decode(garbage, 700).size(), 700u);
  }
}

TEST(LzssEncoderTest, RoundTripsEveryKindOfInput) {
  std::mt19937 random(5);
  std::vector<std::vector<uint8_t>> inputs;
  for (size_t size : {0, 1, 2, 3, 17, 18, 19, 4095, 4096, 4097, 70000}) {
    std::vector<uint8_t> noise(size);
    for (uint8_t& b : noise) b = static_cast<uint8_t>(random());
    inputs.push_back(noise);
    inputs.push_back(std::vector<uint8_t>(size, 0));
    inputs.push_back(std::vector<uint8_t>(size, 0xAB));
    inputs.push_back(ScriptLikeText(size));
  }
  std::vector<uint8_t> mixed = ScriptLikeText(20000);
  for (size_t i = 0; i < mixed.size(); i += 97) mixed[i] = static_cast<uint8_t>(random());
  inputs.push_back(mixed);
  for (const std::vector<uint8_t>& input : inputs) EXPECT_EQ(RoundTrip(input), input) << input.size();
}

TEST(LzssEncoderTest, CompressesRepetitiveDataWell) {
  size_t stored = 0;
  std::vector<uint8_t> text = ScriptLikeText(100000);
  EXPECT_EQ(RoundTrip(text, &stored), text);
  EXPECT_LT(stored, text.size() / 4);
  std::vector<uint8_t> zeros(100000, 0);
  EXPECT_EQ(RoundTrip(zeros, &stored), zeros);
  // Every item is a two-byte match of 18 bytes, plus a flag byte per eight items.
  EXPECT_LE(stored, (zeros.size() / 18 + 1) * 2 + zeros.size() / 18 / 8 + 2);
}

TEST(LzssEncoderTest, ForcedLiteralFirstGroupStartsWithAFullFlagByte) {
  std::vector<uint8_t> zeros(64, 0);
  std::vector<uint8_t> stored = CLzssEncoder::Encode(zeros.data(), zeros.size(), true);
  ASSERT_GE(stored.size(), 9u);
  EXPECT_EQ(stored[0], 0xFF);
  for (int i = 1; i <= 8; ++i) EXPECT_EQ(stored[i], 0xFF);
  EXPECT_EQ(Decode(stored, zeros.size()), zeros);
  EXPECT_NE(CLzssEncoder::Encode(zeros.data(), zeros.size())[0], 0xFF);
}

}  // namespace

#include <gtest/gtest.h>

#include <vector>

#include "ImageBytes.h"
#include "gfx/Surface.h"
#include "gfx/Tim2Decoder.h"

namespace {

// A TIM2 file of one picture: file header, 48-byte picture header, pixels, padding to 16, CLUT.
std::vector<uint8_t> MakeTim2(int imageType, int width, int height, const std::vector<uint8_t>& pixels,
                              int clutType = 0, const std::vector<uint8_t>& clut = {}, int clutColors = 0) {
  const size_t padding = (16 - pixels.size() % 16) % 16;
  std::vector<uint8_t> b(64 + pixels.size() + padding + clut.size(), 0);
  b[0] = 'T', b[1] = 'I', b[2] = 'M', b[3] = '2';
  b[4] = 4;
  Put16(b, 6, 1);
  Put32(b, 16, uint32_t(b.size() - 16));
  Put32(b, 20, uint32_t(clut.size()));
  Put32(b, 24, uint32_t(pixels.size()));
  Put16(b, 28, 48);
  Put16(b, 30, uint32_t(clutColors));
  b[34] = uint8_t(clutType);
  b[35] = uint8_t(imageType);
  Put16(b, 36, uint32_t(width));
  Put16(b, 38, uint32_t(height));
  std::copy(pixels.begin(), pixels.end(), b.begin() + 64);
  std::copy(clut.begin(), clut.end(), b.begin() + 64 + pixels.size() + padding);
  return b;
}

CSurface Decode(const std::vector<uint8_t>& bytes) { return DecodeWith(DecodeTim2, bytes); }

// A 256-entry 32-bit table whose stored entry p has red p, green 1, blue 2 and alpha 128.
std::vector<uint8_t> NumberedClut() {
  std::vector<uint8_t> clut;
  for (int p = 0; p < 256; ++p) clut.insert(clut.end(), {uint8_t(p), 1, 2, 128});
  return clut;
}

}  // namespace

TEST(Tim2DecoderTest, SixteenBitDirect) {
  // 0x7C1F: red 31, green 0, blue 31; bit 15 set: fully transparent whatever the colour.
  const CSurface s = Decode(MakeTim2(1, 2, 1, {0x1F, 0x7C, 0xFF, 0xFF}));
  ASSERT_EQ(s.Width(), 2);
  EXPECT_EQ(s.Pixel(0, 0), 0xFFF800F8u);
  EXPECT_EQ(s.Pixel(1, 0), 0u);
}

TEST(Tim2DecoderTest, TwentyFourAndThirtyTwoBitDirect) {
  const CSurface rgb = Decode(MakeTim2(2, 1, 2, {1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(rgb.Pixel(0, 0), 0xFF010203u);
  EXPECT_EQ(rgb.Pixel(0, 1), 0xFF040506u);
  // Alpha 128 is opaque, 64 becomes 127, 0 stays 0 and values above 128 saturate.
  const CSurface rgba = Decode(MakeTim2(3, 4, 1, {9, 8, 7, 128, 9, 8, 7, 64, 9, 8, 7, 0, 9, 8, 7, 200}));
  EXPECT_EQ(rgba.Pixel(0, 0), 0xFF090807u);
  EXPECT_EQ(rgba.Pixel(1, 0), 0x7F090807u);
  EXPECT_EQ(rgba.Pixel(2, 0), 0x00090807u);
  EXPECT_EQ(rgba.Pixel(3, 0), 0xFF090807u);
}

TEST(Tim2DecoderTest, FourBitIndexedWithSixteenBitClut) {
  // Low nibble first; entry 1 has bit 15 set and is transparent, entry 2 is pure blue.
  const std::vector<uint8_t> clut = {0x00, 0x00, 0xFF, 0xFF, 0x00, 0x7C};
  const CSurface s = Decode(MakeTim2(4, 4, 1, {0x10, 0x02}, 1, clut, 3));
  ASSERT_EQ(s.Width(), 4);
  EXPECT_EQ(s.Pixel(0, 0), 0xFF000000u);
  EXPECT_EQ(s.Pixel(1, 0), 0x00F8F8F8u);
  EXPECT_EQ(s.Pixel(2, 0), 0xFF0000F8u);
  EXPECT_EQ(s.Pixel(3, 0), 0xFF000000u);
  // Odd widths pack pixels across row ends: row 1 starts with the high nibble of byte 1.
  const CSurface odd = Decode(MakeTim2(4, 3, 2, {0x20, 0x10, 0x02}, 1, clut, 3));
  EXPECT_EQ(odd.Pixel(1, 0), 0xFF0000F8u);
  EXPECT_EQ(odd.Pixel(0, 1), 0x00F8F8F8u);
  EXPECT_EQ(odd.Pixel(1, 1), 0xFF0000F8u);
  // An index beyond the table's colours is transparent.
  EXPECT_EQ(Decode(MakeTim2(4, 2, 1, {0x09}, 1, clut, 3)).Pixel(0, 0), 0u);
}

TEST(Tim2DecoderTest, EightBitClutOrders) {
  const std::vector<uint8_t> pixels = {0, 8, 16, 24, 40, 255};
  // Type 0x03: block order, bits 3 and 4 of the entry number exchanged.
  const CSurface block = Decode(MakeTim2(5, 6, 1, pixels, 0x03, NumberedClut(), 256));
  const int blockRed[] = {0, 16, 8, 24, 48, 255};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(block.Pixel(i, 0), 0xFF000102u | uint32_t(blockRed[i]) << 16) << i;
  // Type 0x83: linear order.
  const CSurface linear = Decode(MakeTim2(5, 6, 1, pixels, 0x83, NumberedClut(), 256));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(linear.Pixel(i, 0), 0xFF000102u | uint32_t(pixels[i]) << 16) << i;
}

TEST(Tim2DecoderTest, TwentyFourBitClut) {
  const CSurface s = Decode(MakeTim2(5, 2, 1, {1, 0}, 0x82, {10, 20, 30, 40, 50, 60}, 2));
  EXPECT_EQ(s.Pixel(0, 0), 0xFF28323Cu);
  EXPECT_EQ(s.Pixel(1, 0), 0xFF0A141Eu);
}

TEST(Tim2DecoderTest, DamagedFilesAreEmpty) {
  ExpectEmptyWhenTruncated(DecodeTim2, MakeTim2(3, 2, 2, std::vector<uint8_t>(16, 0x40)));
  ExpectEmptyWhenTruncated(DecodeTim2,
                           MakeTim2(5, 4, 4, std::vector<uint8_t>(16, 3), 0x03, NumberedClut(), 256));
  std::vector<uint8_t> bad = MakeTim2(2, 1, 1, {1, 2, 3});
  bad[0] = 'X';
  EXPECT_TRUE(Decode(bad).IsEmpty());
  EXPECT_TRUE(Decode(MakeTim2(6, 1, 1, {1, 2, 3, 4})).IsEmpty());  // unknown image type
  EXPECT_TRUE(Decode(MakeTim2(3, 0, 1, {})).IsEmpty());
  // Image size smaller than the picture needs; a huge declared picture in a small file.
  EXPECT_TRUE(Decode(MakeTim2(3, 2, 2, {1, 2, 3, 4})).IsEmpty());
  std::vector<uint8_t> huge = MakeTim2(3, 1, 1, {1, 2, 3, 4});
  Put16(huge, 36, 0xFFFF);
  Put16(huge, 38, 0xFFFF);
  Put32(huge, 24, 0xFFFFFFFF);
  EXPECT_TRUE(Decode(huge).IsEmpty());
  // An indexed picture without a colour format.
  EXPECT_TRUE(Decode(MakeTim2(5, 1, 1, {0}, 0x80, {1, 2, 3, 4}, 1)).IsEmpty());
}

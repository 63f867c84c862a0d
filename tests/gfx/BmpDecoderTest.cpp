#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ImageBytes.h"
#include "gfx/BmpDecoder.h"
#include "gfx/Surface.h"

namespace {

struct SBmp {
  int32_t width;
  int32_t height;  // negative for top-down rows
  uint16_t bitCount;
  uint32_t compression = 0;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  std::vector<uint8_t> bits;      // rows as stored
  std::vector<uint32_t> masks;    // written after the 40-byte header
};

std::vector<uint8_t> MakeBmp(const SBmp& bmp) {
  const size_t offset = 14 + 40 + bmp.masks.size() * 4 + bmp.palette.size() * 4;
  std::vector<uint8_t> b(offset + bmp.bits.size(), 0);
  b[0] = 'B', b[1] = 'M';
  Put32(b, 2, uint32_t(b.size()));
  Put32(b, 10, uint32_t(offset));
  Put32(b, 14, 40);
  Put32(b, 18, uint32_t(bmp.width));
  Put32(b, 22, uint32_t(bmp.height));
  Put16(b, 26, 1);
  Put16(b, 28, bmp.bitCount);
  Put32(b, 30, bmp.compression);
  Put32(b, 34, uint32_t(bmp.bits.size()));
  Put32(b, 46, uint32_t(bmp.palette.size()));
  size_t at = 54;
  for (uint32_t m : bmp.masks) Put32(b, at, m), at += 4;
  for (uint32_t c : bmp.palette) Put32(b, at, c), at += 4;
  std::copy(bmp.bits.begin(), bmp.bits.end(), b.begin() + long(offset));
  return b;
}

CSurface Decode(const std::vector<uint8_t>& bytes) { return DecodeWith(DecodeBmp, bytes); }

// 3 x 2, 8 bits, rows bottom-up and padded to four bytes.
SBmp Indexed8() { return {3, 2, 8, 0, {0x102030, 0xFFFFFF, 0x00FF00}, {2, 1, 0, 0, 0, 0, 2, 0}, {}}; }

// RLE8, 4 x 3: row 0 (bottom) a run of two 1s then absolute 2 0 1 (padded); row 1 skipped by a
// delta; row 2 a run of four 2s, then the end of the bitmap.
SBmp Rle8() {
  return {4, 3, 8, 1, {0x000000, 0xFF0000, 0x0000FF}, {2, 1, 0, 3, 2, 0, 1, 0, 0, 0, 0, 2, 0, 1, 4, 2, 0, 1},
          {}};
}

}  // namespace

TEST(BmpDecoderTest, OneBitUsesItsPaletteAndIsOpaque) {
  const CSurface s = Decode(MakeBmp({10, 1, 1, 0, {0x000000, 0xFF8000}, {0xA0, 0x40, 0, 0}, {}}));
  ASSERT_EQ(s.Width(), 10);
  EXPECT_EQ(s.Pixel(0, 0), 0xFFFF8000u);
  EXPECT_EQ(s.Pixel(1, 0), 0xFF000000u);
  EXPECT_EQ(s.Pixel(2, 0), 0xFFFF8000u);
  EXPECT_EQ(s.Pixel(9, 0), 0xFFFF8000u);
}

TEST(BmpDecoderTest, FourAndEightBitRowOrders) {
  const CSurface bottomUp = Decode(MakeBmp(Indexed8()));
  ASSERT_EQ(bottomUp.Height(), 2);
  EXPECT_EQ(bottomUp.Pixel(0, 1), 0xFF00FF00u);
  EXPECT_EQ(bottomUp.Pixel(1, 1), 0xFFFFFFFFu);
  EXPECT_EQ(bottomUp.Pixel(0, 0), 0xFF102030u);
  EXPECT_EQ(bottomUp.Pixel(2, 0), 0xFF00FF00u);
  SBmp topDown = Indexed8();
  topDown.height = -2;
  EXPECT_EQ(Decode(MakeBmp(topDown)).Pixel(0, 0), 0xFF00FF00u);
  // 4 bits: high nibble first; an index beyond the palette is black.
  const CSurface four = Decode(MakeBmp({3, 1, 4, 0, {0x0000FF, 0x00FF00}, {0x10, 0x70, 0, 0}, {}}));
  EXPECT_EQ(four.Pixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(four.Pixel(1, 0), 0xFF0000FFu);
  EXPECT_EQ(four.Pixel(2, 0), 0xFF000000u);
}

TEST(BmpDecoderTest, DirectColourDepths) {
  // 16 bits 5-5-5: white and pure blue; the top bit is ignored.
  const CSurface rgb555 = Decode(MakeBmp({2, 1, 16, 0, {}, {0xFF, 0xFF, 0x1F, 0x80}, {}}));
  EXPECT_EQ(rgb555.Pixel(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(rgb555.Pixel(1, 0), 0xFF0000FFu);
  // 16 bits 5-6-5 through masks: green 32 of 63 is 130.
  const CSurface rgb565 = Decode(MakeBmp({1, 1, 16, 3, {}, {0x00, 0x04, 0, 0}, {0xF800, 0x07E0, 0x001F}}));
  EXPECT_EQ(rgb565.Pixel(0, 0), 0xFF008200u);
  // 24 bits with row padding, bottom-up.
  const CSurface rgb24 =
      Decode(MakeBmp({2, 2, 24, 0, {}, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}, {}}));
  EXPECT_EQ(rgb24.Pixel(0, 0), 0xFF090807u);
  EXPECT_EQ(rgb24.Pixel(1, 1), 0xFF060504u);
  // 32 bits: the fourth byte is not alpha; BMP images are opaque.
  EXPECT_EQ(Decode(MakeBmp({1, 1, 32, 0, {}, {1, 2, 3, 0}, {}})).Pixel(0, 0), 0xFF030201u);
  const CSurface masked =
      Decode(MakeBmp({1, 1, 32, 3, {}, {0x12, 0x34, 0x56, 0x78}, {0xFF, 0xFF00, 0xFF0000}}));
  EXPECT_EQ(masked.Pixel(0, 0), 0xFF123456u);
}

TEST(BmpDecoderTest, RunLengthEncoded) {
  const CSurface s = Decode(MakeBmp(Rle8()));
  ASSERT_EQ(s.Width(), 4);
  const uint32_t red = 0xFFFF0000u, blue = 0xFF0000FFu, black = 0xFF000000u;
  const uint32_t expected[3][4] = {
      {blue, blue, blue, blue}, {black, black, black, black}, {red, red, blue, black}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(s.Pixel(x, y), expected[y][x]) << x << "," << y;
  // RLE4: a run alternating 1 and 2, an absolute run 2 1 2 padded to a word, end of bitmap.
  const CSurface four =
      Decode(MakeBmp({6, 1, 4, 2, {0, 0xFF0000, 0x0000FF}, {3, 0x12, 0, 3, 0x21, 0x20, 0, 1}, {}}));
  const uint32_t row[6] = {red, blue, red, blue, red, blue};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(four.Pixel(x, 0), row[x]) << x;
  // Runs past the row end are cut; top-down RLE does not exist.
  EXPECT_EQ(Decode(MakeBmp({2, 1, 8, 1, {0, 0xFF0000}, {5, 1, 0, 1}, {}})).Pixel(1, 0), red);
  SBmp topDown = Rle8();
  topDown.height = -3;
  EXPECT_TRUE(Decode(MakeBmp(topDown)).IsEmpty());
}

TEST(BmpDecoderTest, CoreHeader) {
  // 12-byte header, 8 bits, three-byte palette entries.
  std::vector<uint8_t> b(14 + 12 + 256 * 3 + 4, 0);
  b[0] = 'B', b[1] = 'M';
  Put32(b, 10, 14 + 12 + 256 * 3);
  Put32(b, 14, 12);
  Put16(b, 18, 2);
  Put16(b, 20, 1);
  Put16(b, 22, 1);
  Put16(b, 24, 8);
  b[26 + 3 * 5] = 0x11, b[26 + 3 * 5 + 1] = 0x22, b[26 + 3 * 5 + 2] = 0x33;
  b[14 + 12 + 256 * 3] = 5;
  const CSurface s = Decode(b);
  EXPECT_EQ(s.Pixel(0, 0), 0xFF332211u);
  EXPECT_EQ(s.Pixel(1, 0), 0xFF000000u);
}

TEST(BmpDecoderTest, DamagedFilesAreEmpty) {
  ExpectEmptyWhenTruncated(DecodeBmp, MakeBmp(Indexed8()));
  ExpectEmptyWhenTruncated(DecodeBmp, MakeBmp(Rle8()));
  ExpectEmptyWhenTruncated(DecodeBmp, MakeBmp({2, 2, 24, 0, {}, std::vector<uint8_t>(16, 9), {}}));
  ExpectEmptyWhenTruncated(DecodeBmp, MakeBmp({1, 1, 16, 3, {}, {0, 4, 0, 0}, {0xF800, 0x07E0, 0x001F}}));
  std::vector<uint8_t> notBmp = MakeBmp(Indexed8());
  notBmp[0] = 'X';
  EXPECT_TRUE(Decode(notBmp).IsEmpty());
  EXPECT_TRUE(Decode(MakeBmp({0x7FFFFFFF, 0x7FFFFFFF, 24, 0, {}, {1, 2, 3, 0}, {}})).IsEmpty());
  EXPECT_TRUE(Decode(MakeBmp({-3, 2, 8, 0, {}, std::vector<uint8_t>(8, 0), {}})).IsEmpty());
  EXPECT_TRUE(Decode(MakeBmp({1, INT32_MIN, 8, 0, {}, std::vector<uint8_t>(8, 0), {}})).IsEmpty());
  EXPECT_TRUE(Decode(MakeBmp({1, 1, 12, 0, {}, std::vector<uint8_t>(8, 0), {}})).IsEmpty());
  EXPECT_TRUE(Decode(MakeBmp({1, 1, 24, 7, {}, std::vector<uint8_t>(8, 0), {}})).IsEmpty());
  // RLE with a huge declared size and a tiny stream ends when the data does.
  EXPECT_TRUE(Decode(MakeBmp({4000, 4000, 8, 1, {0}, {2, 0}, {}})).IsEmpty());
  // A pixel offset beyond the end of the file.
  std::vector<uint8_t> farOffset = MakeBmp(Indexed8());
  Put32(farOffset, 10, 0xFFFFFFF0u);
  EXPECT_TRUE(Decode(farOffset).IsEmpty());
}

// Millions of delta escapes, or of runs, carry the column far past the range of int; the reader
// must neither wrap nor write outside the picture, and the pixels the stream does reach are drawn.
TEST(BmpDecoderTest, RunLengthColumnNeverOverflows) {
  const uint32_t red = 0xFFFF0000u, blue = 0xFF0000FFu, black = 0xFF000000u;
  for (const std::vector<uint8_t>& step :
       {std::vector<uint8_t>{0, 2, 255, 0}, std::vector<uint8_t>{255, 2}}) {
    // Row 0 (bottom): one red pixel, then the column pushed past 2^31, then a blue run that would
    // land before the buffer once the column wrapped; then row 1 gets one blue pixel.
    const size_t repeats = (size_t{1} << 31) / 255 + 16;
    std::vector<uint8_t> bits(2 + repeats * step.size());
    bits[0] = 1, bits[1] = 1;
    for (size_t i = 0; i < repeats; ++i)
      std::copy(step.begin(), step.end(), bits.begin() + 2 + i * step.size());
    bits.insert(bits.end(), {200, 2, 0, 0, 1, 2, 0, 1});
    const CSurface s = Decode(MakeBmp({3, 2, 8, 1, {0, 0xFF0000, 0x0000FF}, bits, {}}));
    ASSERT_EQ(s.Width(), 3);
    EXPECT_EQ(s.Pixel(0, 1), red);
    EXPECT_EQ(s.Pixel(1, 1), step.size() == 4 ? black : blue);
    EXPECT_EQ(s.Pixel(0, 0), blue);
    EXPECT_EQ(s.Pixel(1, 0), black);
  }
}

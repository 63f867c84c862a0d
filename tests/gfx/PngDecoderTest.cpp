#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <vector>

#include "gfx/PngDecoder.h"
#include "gfx/Surface.h"
#include "io/PackMemFile.h"

namespace {

struct SPngImage {
  int width;
  int height;
  int bitDepth;
  int colorType;
  std::vector<std::vector<uint8_t>> rows;
  std::vector<png_color> palette;
  std::vector<uint8_t> transparency;
  int interlace = PNG_INTERLACE_NONE;
};

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

std::vector<uint8_t> EncodePng(const SPngImage& image) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, AppendBytes, nullptr);
  png_set_IHDR(png, info, image.width, image.height, image.bitDepth, image.colorType, image.interlace,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!image.palette.empty()) png_set_PLTE(png, info, image.palette.data(), int(image.palette.size()));
  if (!image.transparency.empty()) {
    png_set_tRNS(png, info, image.transparency.data(), int(image.transparency.size()), nullptr);
  }
  png_write_info(png, info);
  std::vector<png_bytep> rows;
  for (const auto& row : image.rows) rows.push_back(const_cast<png_bytep>(row.data()));
  png_write_image(png, rows.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

CSurface Decode(const std::vector<uint8_t>& bytes) {
  CPackMemFile file(bytes);
  CSurface surface;
  const bool decoded = DecodePng(file, surface);
  EXPECT_EQ(decoded, !surface.IsEmpty());
  return surface;
}

SPngImage RgbImage() {
  return {2, 2, 8, PNG_COLOR_TYPE_RGB, {{10, 20, 30, 40, 50, 60}, {70, 80, 90, 255, 254, 253}}, {}, {}};
}

}  // namespace

TEST(PngDecoderTest, RgbWithoutAlphaIsOpaque) {
  const CSurface s = Decode(EncodePng(RgbImage()));
  ASSERT_EQ(s.Width(), 2);
  ASSERT_EQ(s.Height(), 2);
  EXPECT_EQ(s.Pixel(0, 0), 0xFF0A141Eu);
  EXPECT_EQ(s.Pixel(1, 0), 0xFF28323Cu);
  EXPECT_EQ(s.Pixel(1, 1), 0xFFFFFEFDu);
}

TEST(PngDecoderTest, PaletteWithTransparencyGivesAlpha) {
  SPngImage image{
      3, 1, 4, PNG_COLOR_TYPE_PALETTE, {{0x01, 0x20}}, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}, {0, 128}};
  const CSurface s = Decode(EncodePng(image));
  ASSERT_EQ(s.Width(), 3);
  EXPECT_EQ(s.Pixel(0, 0), 0x00FF0000u);
  EXPECT_EQ(s.Pixel(1, 0), 0x8000FF00u);
  EXPECT_EQ(s.Pixel(2, 0), 0xFF0000FFu);  // beyond the tRNS entries: opaque
}

TEST(PngDecoderTest, LowDepthGreyIsExpanded) {
  SPngImage image{4, 1, 2, PNG_COLOR_TYPE_GRAY, {{0x1B}}, {}, {}};  // 0, 1, 2, 3
  const CSurface s = Decode(EncodePng(image));
  ASSERT_EQ(s.Width(), 4);
  EXPECT_EQ(s.Pixel(0, 0), 0xFF000000u);
  EXPECT_EQ(s.Pixel(1, 0), 0xFF555555u);
  EXPECT_EQ(s.Pixel(2, 0), 0xFFAAAAAAu);
  EXPECT_EQ(s.Pixel(3, 0), 0xFFFFFFFFu);
}

TEST(PngDecoderTest, GreyAlphaAndSixteenBitChannels) {
  SPngImage grey{1, 1, 8, PNG_COLOR_TYPE_GRAY_ALPHA, {{0x33, 0x44}}, {}, {}};
  EXPECT_EQ(Decode(EncodePng(grey)).Pixel(0, 0), 0x44333333u);
  SPngImage deep{1,  1, 16, PNG_COLOR_TYPE_RGB_ALPHA, {{0x12, 0xFF, 0x34, 0x00, 0x56, 0x80, 0x78, 0x01}},
                 {}, {}};
  EXPECT_EQ(Decode(EncodePng(deep)).Pixel(0, 0), 0x78123456u);
}

TEST(PngDecoderTest, InterlacedImage) {
  SPngImage image = RgbImage();
  image.interlace = PNG_INTERLACE_ADAM7;
  const CSurface s = Decode(EncodePng(image));
  ASSERT_EQ(s.Width(), 2);
  EXPECT_EQ(s.Pixel(0, 0), 0xFF0A141Eu);
  EXPECT_EQ(s.Pixel(0, 1), 0xFF46505Au);
  EXPECT_EQ(s.Pixel(1, 1), 0xFFFFFEFDu);
}

TEST(PngDecoderTest, TruncatedAtEveryLengthIsEmpty) {
  const std::vector<uint8_t> full = EncodePng(RgbImage());
  for (size_t n = 0; n < full.size(); ++n) {
    const CSurface s = Decode(std::vector<uint8_t>(full.begin(), full.begin() + n));
    EXPECT_TRUE(s.IsEmpty()) << "length " << n;
  }
  EXPECT_FALSE(Decode(full).IsEmpty());
}

TEST(PngDecoderTest, DamagedDataAndAbsurdSizesAreEmpty) {
  std::vector<uint8_t> bytes = EncodePng(RgbImage());
  std::vector<uint8_t> notPng = bytes;
  notPng[1] = 'X';
  EXPECT_TRUE(Decode(notPng).IsEmpty());
  std::vector<uint8_t> badCrc = bytes;
  badCrc[29] ^= 0xFF;  // IHDR's CRC
  EXPECT_TRUE(Decode(badCrc).IsEmpty());
  // IHDR claiming 16384 x 16384 with a correct CRC: refused before any pixel buffer is made.
  std::vector<uint8_t> huge = bytes;
  for (int i : {16, 20}) {
    huge[i] = 0, huge[i + 1] = 0, huge[i + 2] = 0x40, huge[i + 3] = 0;
  }
  const uLong crc = crc32(0, huge.data() + 12, 17);
  for (int i = 0; i < 4; ++i) huge[29 + i] = uint8_t(crc >> (24 - 8 * i));
  EXPECT_TRUE(Decode(huge).IsEmpty());
}

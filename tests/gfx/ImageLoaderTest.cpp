#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "ImageBytes.h"
#include "gfx/ImageLoader.h"
#include "gfx/PngWriter.h"
#include "gfx/Surface.h"
#include "io/LooseFiles.h"

namespace fs = std::filesystem;

namespace {

// A 24-bit bottom-up BMP of 2 x 1 pixels: blue then white.
std::vector<uint8_t> TinyBmp() {
  std::vector<uint8_t> b(54 + 8, 0);
  b[0] = 'B', b[1] = 'M';
  Put32(b, 10, 54);
  Put32(b, 14, 40);
  Put32(b, 18, 2);
  Put32(b, 22, 1);
  Put16(b, 26, 1);
  Put16(b, 28, 24);
  const uint8_t pixels[6] = {0xFF, 0, 0, 0xFF, 0xFF, 0xFF};
  std::copy(pixels, pixels + 6, b.begin() + 54);
  return b;
}

// A 32-bit TIM2 of 1 x 1 pixel, half transparent.
std::vector<uint8_t> TinyTim2() {
  std::vector<uint8_t> b(64 + 16, 0);
  b[0] = 'T', b[1] = 'I', b[2] = 'M', b[3] = '2';
  Put32(b, 24, 4);
  b[35] = 3;
  Put16(b, 36, 1);
  Put16(b, 38, 1);
  const uint8_t pixel[4] = {10, 20, 30, 64};
  std::copy(pixel, pixel + 4, b.begin() + 64);
  return b;
}

class ImageLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = fs::current_path();
    dir = fs::temp_directory_path() / ("zel-images-" + std::to_string(::getpid()));
    fs::create_directories(dir / "img");
    fs::current_path(dir);
    CLooseFiles::Instance().ForgetListings();
    Write("img/tiny.bmp", TinyBmp());
    Write("img/tiny.tm2", TinyTim2());
    Write("img/tiny.dat", TinyBmp());
    Write("img/bmp.png", TinyBmp());
    const uint32_t png[4] = {0xFF000000, 0xFF0000FF, 0xFF00FF00, 0xFFFF0000};
    ASSERT_TRUE(CPngWriter::Write("img/tiny.png", png, 2, 2, 2, true));
  }
  void TearDown() override {
    fs::current_path(previous);
    fs::remove_all(dir);
  }
  static void Write(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }

  fs::path previous;
  fs::path dir;
};

}  // namespace

TEST_F(ImageLoaderTest, ChoosesTheDecoderByExtension) {
  CSurface s;
  ASSERT_TRUE(LoadImageFile("img\\tiny.png", s));
  EXPECT_EQ(s.Pixel(1, 1), 0xFFFF0000u);
  ASSERT_TRUE(LoadImageFile("IMG\\TINY.TM2", s));
  EXPECT_EQ(s.Pixel(0, 0), 0x7F0A141Eu);
  ASSERT_TRUE(LoadImageFile("img\\tiny.bmp", s));
  EXPECT_EQ(s.Pixel(0, 0), 0xFF0000FFu);
  // Any other extension is read as BMP; a BMP named .png is not a PNG.
  ASSERT_TRUE(LoadImageFile("img\\tiny.dat", s));
  EXPECT_EQ(s.Pixel(1, 0), 0xFFFFFFFFu);
  EXPECT_FALSE(LoadImageFile("img\\bmp.png", s));
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_FALSE(LoadImageFile("img\\missing.bmp", s));
}

TEST_F(ImageLoaderTest, LoadWithScaleResamples) {
  CSurface s;
  ASSERT_TRUE(s.Load("img\\tiny.png", 2.0f));
  EXPECT_EQ(s.Width(), 4);
  EXPECT_EQ(s.BaseWidth(), 2);
  EXPECT_EQ(s.Scale(), 2.0f);
  ASSERT_TRUE(s.Load("img\\tiny.png", 1.0f));
  EXPECT_EQ(s.Width(), 2);
  EXPECT_EQ(s.Scale(), 1.0f);
  EXPECT_FALSE(s.Load("img\\missing.png", 2.0f));
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(s.Scale(), 1.0f);
}

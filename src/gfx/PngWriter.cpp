#include "gfx/PngWriter.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct SFileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

// Runs libpng's writer; its errors longjmp back here and become a false result.
bool WriteRows(FILE* file, int width, int height, bool keepAlpha, std::vector<png_bytep>& rows) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, keepAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool CPngWriter::Write(const std::string& path, const uint32_t* pixels, int width, int height, int stride,
                       bool keepAlpha) {
  if (width <= 0 || height <= 0) return false;
  const int channels = keepAlpha ? 4 : 3;
  std::vector<uint8_t> data(static_cast<size_t>(width) * height * channels);
  std::vector<png_bytep> rows(height);
  for (int y = 0; y < height; ++y) {
    const uint32_t* src = pixels + static_cast<size_t>(y) * stride;
    uint8_t* dst = data.data() + static_cast<size_t>(y) * width * channels;
    rows[y] = dst;
    for (int x = 0; x < width; ++x, dst += channels) {
      const uint32_t p = src[x];
      dst[0] = static_cast<uint8_t>(p >> 16);
      dst[1] = static_cast<uint8_t>(p >> 8);
      dst[2] = static_cast<uint8_t>(p);
      if (keepAlpha) dst[3] = static_cast<uint8_t>(p >> 24);
    }
  }
  std::unique_ptr<FILE, SFileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  return WriteRows(file.get(), width, height, keepAlpha, rows);
}

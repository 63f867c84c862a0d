// Renders the sample game's pictures at build time: the title background (PNG), the button sheet
// (PNG with alpha), an emblem (TIM2, 8-bit indexed with its colour table in block order) and a name
// banner (24-bit BMP). system\title\bg.scn places them.
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "SampleGenerator.h"
#include "gfx/PngWriter.h"

namespace fs = std::filesystem;

namespace {

constexpr int kScreenW = 800;
constexpr int kScreenH = 600;
constexpr int kButtonW = 220;
constexpr int kButtonH = 36;
const char* const kButtonLabels[] = {"START", "CONTINUE", "CONFIG", "ALBUM", "FLASHBACK", "MUSIC", "EXIT"};

// 5 x 7 capitals, one row of five bits per byte, the leftmost pixel in bit 4.
struct SGlyph {
  char letter;
  uint8_t rows[7];
};
constexpr SGlyph kFont[] = {
    {'A', {14, 17, 17, 31, 17, 17, 17}}, {'B', {30, 17, 17, 30, 17, 17, 30}},
    {'C', {14, 17, 16, 16, 16, 17, 14}}, {'E', {31, 16, 16, 30, 16, 16, 31}},
    {'F', {31, 16, 16, 30, 16, 16, 16}}, {'G', {14, 17, 16, 23, 17, 17, 15}},
    {'H', {17, 17, 17, 31, 17, 17, 17}}, {'I', {14, 4, 4, 4, 4, 4, 14}},
    {'K', {17, 18, 20, 24, 20, 18, 17}}, {'L', {16, 16, 16, 16, 16, 16, 31}},
    {'M', {17, 27, 21, 21, 17, 17, 17}}, {'N', {17, 25, 21, 19, 17, 17, 17}},
    {'O', {14, 17, 17, 17, 17, 17, 14}}, {'P', {30, 17, 17, 30, 16, 16, 16}},
    {'R', {30, 17, 17, 30, 20, 18, 17}}, {'S', {15, 16, 16, 14, 1, 1, 30}},
    {'T', {31, 4, 4, 4, 4, 4, 4}},       {'U', {17, 17, 17, 17, 17, 17, 14}},
    {'X', {17, 17, 10, 4, 10, 17, 17}},  {'Z', {31, 1, 2, 4, 8, 16, 31}},
};

// A picture being painted: BGRA pixels, colours 0xAARRGGBB.
struct SCanvas {
  int width;
  int height;
  std::vector<uint32_t> pixels;

  SCanvas(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(size_t(w) * h, fill) {}
  void Set(int x, int y, uint32_t colour) {
    if (x >= 0 && y >= 0 && x < width && y < height) pixels[size_t(y) * width + x] = colour;
  }
  uint32_t Get(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

uint32_t Mix(uint32_t a, uint32_t b, double t) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const double v = ((a >> shift) & 255) * (1 - t) + ((b >> shift) & 255) * t;
    out |= uint32_t(std::lround(v)) << shift;
  }
  return out;
}

// Text centred on (cx, cy), every font pixel drawn as a scale x scale block.
void DrawText(SCanvas& canvas, const std::string& text, int cx, int cy, int scale, uint32_t colour) {
  const int advance = 6 * scale;
  int x = cx - (int(text.size()) * advance - scale) / 2;
  const int top = cy - 7 * scale / 2;
  for (char c : text) {
    for (const SGlyph& g : kFont) {
      if (g.letter != c) continue;
      for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col)
          if (g.rows[row] & (16 >> col))
            for (int i = 0; i < scale * scale; ++i)
              canvas.Set(x + col * scale + i % scale, top + row * scale + i / scale, colour);
    }
    x += advance;
  }
}

// Evening sky over two rows of hills.
SCanvas Background() {
  SCanvas c(kScreenW, kScreenH);
  for (int y = 0; y < kScreenH; ++y) {
    const uint32_t sky = Mix(0xFF1B2A5Au, 0xFFE8A070u, double(y) / kScreenH);
    for (int x = 0; x < kScreenW; ++x) {
      const double far = 420 + 30 * std::sin(x / 90.0) + 12 * std::sin(x / 23.0);
      const double near = 500 + 40 * std::sin(x / 140.0 + 1.5);
      c.Set(x, y, y > near ? Mix(0xFF203018u, 0xFF101808u, (y - near) / 100.0) : y > far ? 0xFF3A4A50u : sky);
    }
  }
  return c;
}

// Seven buttons in a column, the plain look in column 0 and the highlighted look in column 1.
SCanvas ButtonSheet() {
  SCanvas c(kButtonW * 2, kButtonH * 7);
  for (int item = 0; item < 7; ++item) {
    for (int look = 0; look < 2; ++look) {
      const int left = look * kButtonW;
      const int top = item * kButtonH;
      for (int y = 1; y < kButtonH - 1; ++y) {
        const uint32_t fill = look ? Mix(0xE0FFF0C0u, 0xE0F0A040u, double(y) / kButtonH)
                                   : Mix(0xA0303850u, 0xA0101828u, double(y) / kButtonH);
        for (int x = 1; x < kButtonW - 1; ++x) {
          const bool edge = x == 1 || y == 1 || x == kButtonW - 2 || y == kButtonH - 2;
          c.Set(left + x, top + y, edge ? 0xFFFFFFFFu : fill);
        }
      }
      DrawText(c, kButtonLabels[item], left + kButtonW / 2, top + kButtonH / 2, 3,
               look ? 0xFF402000u : 0xFFFFFFFFu);
    }
  }
  return c;
}

// A round emblem with a soft edge: its colour from the distance to the centre, alpha fading out.
SCanvas Emblem(int size) {
  SCanvas c(size, size);
  const double r = size / 2.0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double d = std::hypot(x + 0.5 - r, y + 0.5 - r) / r;
      if (d >= 1) continue;
      const uint32_t alpha = d < 0.85 ? 255u : uint32_t((1 - d) / 0.15 * 255);
      const double ring = 0.5 + 0.5 * std::cos(d * 12);
      c.Set(x, y, (Mix(0xFFF0D060u, 0xFFB03020u, ring) & 0x00FFFFFFu) | alpha << 24);
    }
  }
  DrawText(c, "ZEL", size / 2, size / 2, 4, 0xFFFFFFFFu);
  return c;
}

void Append16(std::vector<uint8_t>& out, uint32_t v) { out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)}); }
void Append32(std::vector<uint8_t>& out, uint32_t v) {
  Append16(out, v);
  Append16(out, v >> 16);
}

bool WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(file);
}

// The canvas as an 8-bit indexed TIM2 picture. Colours are reduced to 4 levels of red, green and blue
// and 4 of alpha (256 entries); the table is stored in the console's block order.
std::vector<uint8_t> EncodeTim2(const SCanvas& c) {
  const auto index = [](uint32_t p) {
    return uint8_t(((p >> 30) & 3) << 6 | ((p >> 22) & 3) << 4 | ((p >> 14) & 3) << 2 | ((p >> 6) & 3));
  };
  std::vector<uint8_t> pixels;
  for (uint32_t p : c.pixels) pixels.push_back(index(p));
  std::vector<uint8_t> clut(256 * 4);
  for (uint32_t i = 0; i < 256; ++i) {
    const uint32_t stored = (i & ~0x18u) | (i & 0x08) << 1 | (i & 0x10) >> 1;
    const uint8_t level[4] = {0, 85, 170, 255};
    clut[stored * 4 + 0] = level[(i >> 4) & 3];
    clut[stored * 4 + 1] = level[(i >> 2) & 3];
    clut[stored * 4 + 2] = level[i & 3];
    clut[stored * 4 + 3] = uint8_t(((i >> 6) & 3) * 128 / 3);
  }
  std::vector<uint8_t> out = {'T', 'I', 'M', '2', 4, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  Append32(out, uint32_t(48 + pixels.size() + clut.size()));
  Append32(out, uint32_t(clut.size()));
  Append32(out, uint32_t(pixels.size()));
  Append16(out, 48);
  Append16(out, 256);
  out.insert(out.end(),
             {5, 1, 0x03, 5});  // picture format, mipmaps, CLUT type (32-bit, block order), 8-bit image
  Append16(out, uint32_t(c.width));
  Append16(out, uint32_t(c.height));
  out.resize(64, 0);
  out.insert(out.end(), pixels.begin(), pixels.end());
  out.resize(out.size() + (16 - pixels.size() % 16) % 16, 0);
  out.insert(out.end(), clut.begin(), clut.end());
  return out;
}

// The canvas as a bottom-up 24-bit BMP.
std::vector<uint8_t> EncodeBmp(const SCanvas& c) {
  const uint32_t stride = (uint32_t(c.width) * 3 + 3) & ~3u;
  std::vector<uint8_t> out = {'B', 'M'};
  Append32(out, 54 + stride * uint32_t(c.height));
  Append32(out, 0);
  Append32(out, 54);
  for (uint32_t v : {40u, uint32_t(c.width), uint32_t(c.height)}) Append32(out, v);
  Append16(out, 1);
  Append16(out, 24);
  for (uint32_t v : {0u, stride * uint32_t(c.height), 2835u, 2835u, 0u, 0u}) Append32(out, v);
  for (int y = c.height - 1; y >= 0; --y) {
    for (int x = 0; x < c.width; ++x) {
      const uint32_t p = c.Get(x, y);
      out.insert(out.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16)});
    }
    out.resize(out.size() + stride - uint32_t(c.width) * 3, 0);
  }
  return out;
}

SCanvas Banner() {
  SCanvas c(420, 64);
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) c.Set(x, y, Mix(0xFF402030u, 0xFF182038u, double(x) / c.width));
  DrawText(c, "ZEL SAMPLE", c.width / 2, c.height / 2, 5, 0xFFF8E8C0u);
  return c;
}

bool WritePng(const fs::path& path, const SCanvas& c) {
  return CPngWriter::Write(path.string(), c.pixels.data(), c.width, c.height, c.width, true);
}

bool WriteTitleArt(const fs::path& stageDir) {
  const fs::path title = stageDir / "system" / "title";
  fs::create_directories(title);
  return WritePng(title / "bg.png", Background()) && WritePng(title / "buttons.png", ButtonSheet()) &&
         WriteBytes(title / "emblem.tm2", EncodeTim2(Emblem(128))) &&
         WriteBytes(title / "banner.bmp", EncodeBmp(Banner()));
}

const CSampleGenerator kArtGenerator("title art", WriteTitleArt);

}  // namespace

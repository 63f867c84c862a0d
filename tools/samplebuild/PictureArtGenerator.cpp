// Renders the sample game's picture gallery art at build time: a character sheet with eye and mouth
// cells (anime\heroine.png, animated by anime\heroine.anm), its colour map (an 8-bit BMP: face, hair,
// dress), two gallery backgrounds, two transition masks and the particle images of the snow and
// cherry-blossom effects (system\particle\snow.png, system\particle\sakura.png).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <vector>

#include "SampleGenerator.h"
#include "gfx/PngWriter.h"

namespace fs = std::filesystem;

namespace {

constexpr int kSheetW = 240;
constexpr int kFigureH = 400;
constexpr int kEyeRow = 400;    // three eye cells of 80 x 24: open, half shut, shut
constexpr int kMouthRow = 424;  // three mouth cells of 32 x 16: shut, half open, open
constexpr int kPinRow = 440;    // two hair-pin cells of 24 x 24
constexpr int kSheetH = 464;

// A BGRA picture (colours 0xAARRGGBB) with the few painting operations the gallery art needs.
struct SPicture {
  int w;
  int h;
  std::vector<uint32_t> px;
  SPicture(int width, int height, uint32_t fill = 0)
      : w(width), h(height), px(size_t(width) * height, fill) {}
  void Put(int x, int y, uint32_t c) {
    if (x >= 0 && y >= 0 && x < w && y < h) px[size_t(y) * w + x] = c;
  }
  // A filled ellipse centred on (cx, cy) with radii rx, ry.
  void Ellipse(double cx, double cy, double rx, double ry, uint32_t c) {
    for (int y = int(cy - ry); y <= int(cy + ry); ++y)
      for (int x = int(cx - rx); x <= int(cx + rx); ++x)
        if (std::pow((x + 0.5 - cx) / rx, 2) + std::pow((y + 0.5 - cy) / ry, 2) <= 1) Put(x, y, c);
  }
  void Box(int x0, int y0, int x1, int y1, uint32_t c) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) Put(x, y, c);
  }
  bool Save(const fs::path& path) const { return CPngWriter::Write(path.string(), px.data(), w, h, w, true); }
};

constexpr uint32_t kSkin = 0xFFF8DCC8;
constexpr uint32_t kHair = 0xFF6A3A2A;
constexpr uint32_t kDress = 0xFF4060B0;
constexpr uint32_t kInk = 0xFF302020;

// Two eyes at rows 10-14 of an 80 x 24 cell, open (0), half shut (1) or shut (2).
void PaintEyes(SPicture& p, int left, int top, int cell) {
  p.Box(left, top, left + 80, top + 24, kSkin);
  for (int eye = 0; eye < 2; ++eye) {
    const double cx = left + 20 + eye * 40, cy = top + 12;
    if (cell == 2) {
      p.Box(int(cx) - 9, int(cy), int(cx) + 9, int(cy) + 2, kInk);
      continue;
    }
    p.Ellipse(cx, cy, 8, cell == 0 ? 10 : 4, 0xFFFFFFFF);
    p.Ellipse(cx, cy, 5, cell == 0 ? 7 : 3, 0xFF305080);
    p.Box(int(cx) - 9, int(cy) - (cell == 0 ? 11 : 5), int(cx) + 9, int(cy) - (cell == 0 ? 9 : 3), kInk);
  }
}

// A mouth in a 32 x 16 cell: shut (0), half open (1) or open (2).
void PaintMouth(SPicture& p, int left, int top, int cell) {
  p.Box(left, top, left + 32, top + 16, kSkin);
  if (cell == 0) {
    p.Box(left + 8, top + 7, left + 24, top + 9, 0xFFB04040);
  } else {
    p.Ellipse(left + 16, top + 8, 8 + cell * 2, 2.5 * cell, 0xFF802030);
  }
}

SPicture HeroineSheet() {
  SPicture p(kSheetW, kSheetH);
  p.Ellipse(120, 150, 95, 120, kHair);  // hair behind
  for (int y = 240; y < kFigureH; ++y) p.Box(120 - (y - 160) / 2, y, 120 + (y - 160) / 2, y + 1, kDress);
  p.Box(100, 215, 140, 250, kSkin);    // neck
  p.Ellipse(120, 140, 70, 85, kSkin);  // face
  p.Ellipse(120, 80, 80, 40, kHair);   // fringe
  PaintEyes(p, 80, 118, 0);
  PaintMouth(p, 104, 168, 0);
  for (int cell = 0; cell < 3; ++cell) {
    PaintEyes(p, cell * 80, kEyeRow, cell);
    PaintMouth(p, cell * 32, kMouthRow, cell);
  }
  // The hair pin sparkles: a star, then a smaller one.
  for (int cell = 0; cell < 2; ++cell) {
    const int cx = cell * 24 + 12, cy = kPinRow + 12, r = cell ? 5 : 10;
    p.Box(cx - r, cy - 1, cx + r, cy + 1, 0xFFFFF080);
    p.Box(cx - 1, cy - r, cx + 1, cy + r, 0xFFFFF080);
  }
  return p;
}

// The colour map of the figure as an 8-bit BMP: 0 background, 1 hair (red), 2 face (green), 3 dress
// (blue). A click region names these colours.
std::vector<uint8_t> HeroineColourMap(const SPicture& sheet) {
  const int w = kSheetW, h = kFigureH, stride = (w + 3) & ~3;
  const uint32_t palette[4] = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};  // 0x00RRGGBB
  std::vector<uint8_t> out(54 + 4 * 256, 0);
  const auto put = [&out](size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out[at + i] = uint8_t(v >> (8 * i));
  };
  out[0] = 'B', out[1] = 'M';
  put(2, uint32_t(54 + 1024 + stride * h), 4);
  put(10, 54 + 1024, 4);
  put(14, 40, 4), put(18, uint32_t(w), 4), put(22, uint32_t(h), 4);
  put(26, 1, 2), put(28, 8, 2), put(46, 256, 4);
  for (int i = 0; i < 4; ++i) put(size_t(54 + 4 * i), palette[i], 4);
  for (int y = h - 1; y >= 0; --y) {
    std::vector<uint8_t> row(size_t(stride), 0);
    for (int x = 0; x < w; ++x) {
      const uint32_t c = sheet.px[size_t(y) * w + x];
      row[size_t(x)] = c == kHair ? 1 : c == kDress ? 3 : (c >> 24) != 0 ? 2 : 0;
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// Gallery backgrounds: a morning field and a night town.
SPicture Background(bool night) {
  SPicture p(800, 600);
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      const double t = y / 600.0;
      const uint32_t r = night ? uint32_t(20 + 40 * t) : uint32_t(120 + 100 * t);
      const uint32_t g = night ? uint32_t(24 + 30 * t) : uint32_t(180 + 40 * t);
      const uint32_t b = night ? uint32_t(70 + 40 * t) : uint32_t(250 - 60 * t);
      p.Put(x, y, 0xFF000000u | r << 16 | g << 8 | b);
    }
  }
  if (night) {
    for (int i = 0; i < 12; ++i) p.Box(i * 70, 380 - (i * 37) % 150, i * 70 + 60, 600, 0xFF202030);
    for (int i = 0; i < 40; ++i)
      p.Box((i * 97) % 780 + 5, 390 + (i * 53) % 180, (i * 97) % 780 + 13, 400 + (i * 53) % 180, 0xFFFFE090);
  } else {
    for (int x = 0; x < 800; ++x) p.Box(x, int(430 + 25 * std::sin(x / 70.0)), x + 1, 600, 0xFF50A040);
    p.Ellipse(650, 110, 50, 50, 0xFFFFF0B0);
  }
  return p;
}

// Masks: grey levels give the order in which the new picture appears.
SPicture Mask(bool radial) {
  SPicture p(800, 600);
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      const double v =
          radial ? std::hypot(x - 400, y - 300) / 500 : std::fmod(x / 50.0, 1.0) * 0.7 + y / 2000.0;
      p.Put(x, y, 0xFF000000u | uint32_t(std::clamp(v, 0.0, 1.0) * 255) * 0x010101u);
    }
  }
  return p;
}

// A soft round snow flake of 32 x 32.
SPicture SnowFlake() {
  SPicture p(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const double d = std::hypot(x - 15.5, y - 15.5) / 16;
      if (d < 1) p.Put(x, y, uint32_t((1 - d * d) * 255) << 24 | 0xFFFFFF);
    }
  return p;
}

// 256 cells of 16 x 16: one petal turning a little from cell to cell.
SPicture PetalSheet() {
  SPicture p(256, 256);
  for (int c = 0; c < 256; ++c) {
    const double angle = c * 2 * std::numbers::pi / 256,
                 squash = 0.35 + 0.65 * std::fabs(std::cos(angle * 3));
    const int left = (c & 15) * 16, top = (c / 16) * 16;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const double dx = x - 7.5, dy = y - 7.5;
        const double u = dx * std::cos(angle) + dy * std::sin(angle),
                     v = (dy * std::cos(angle) - dx * std::sin(angle)) / squash;
        if (u * u / 49 + v * v / 16 < 1) p.Put(left + x, top + y, u > 5 ? 0xFFF8C0D0u : 0xFFF0A0B8u);
      }
  }
  return p;
}

bool WritePictureArt(const fs::path& stageDir) {
  const fs::path anime = stageDir / "anime", particle = stageDir / "system" / "particle";
  fs::create_directories(anime);
  fs::create_directories(particle);
  const SPicture sheet = HeroineSheet();
  const std::vector<uint8_t> map = HeroineColourMap(sheet);
  std::ofstream(anime / "heroine_map.bmp", std::ios::binary)
      .write(reinterpret_cast<const char*>(map.data()), std::streamsize(map.size()));
  return sheet.Save(anime / "heroine.png") && Background(false).Save(anime / "gallery_day.png") &&
         Background(true).Save(anime / "gallery_night.png") && Mask(true).Save(anime / "mask_radial.png") &&
         Mask(false).Save(anime / "mask_stripes.png") && SnowFlake().Save(particle / "snow.png") &&
         PetalSheet().Save(particle / "sakura.png") && fs::file_size(anime / "heroine_map.bmp") == map.size();
}

const CSampleGenerator kPictureArtGenerator("picture gallery art", WritePictureArt);

}  // namespace

// Renders the sample game's start-up logos at build time: a light background and two 480 x 200
// logos on the same paper colour (an emblem of rings with the engine's name, and the makers' name
// under a row of diamonds), labelled through the engine's own glyph cache.
// system\logo\bg.scn places them. The date screen's 128 x 128 cards come from the same paper and
// ink: the numbers 1 to 31 and the words for month and day (system\date\).
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include "SampleGenerator.h"
#include "gfx/Display.h"
#include "gfx/PngWriter.h"
#include "platform/FontRasterizer.h"
#include "ui/TextFont.h"

namespace fs = std::filesystem;

namespace {

constexpr int kLogoW = 480;
constexpr int kLogoH = 200;
constexpr uint32_t kInk = 0xFF283C64u;
constexpr uint32_t kAccent = 0xFFD07030u;
constexpr uint32_t kPaper = 0xFFF4F0E8u;

// An opaque picture painted in a display's buffer; shapes mix their colour in by coverage, text goes
// through the glyph cache.
struct SPicture {
  CDisplay display;

  SPicture(int width, int height) {
    display.Init(nullptr, width, height, true);
    std::fill_n(display.Pixels(), width * height, kPaper);
  }
  void Set(int x, int y, uint32_t colour, double cover = 1.0) {
    if (x < 0 || y < 0 || x >= display.Width() || y >= display.Height()) return;
    uint32_t& pixel = display.Pixels()[y * display.Width() + x];
    uint32_t mixed = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
      const double v = ((pixel >> shift) & 255) * (1 - cover) + ((colour >> shift) & 255) * cover;
      mixed |= uint32_t(std::lround(v)) << shift;
    }
    pixel = mixed;
  }
  bool Save(const fs::path& path) {
    return CPngWriter::Write(path.string(), display.Pixels(), display.Width(), display.Height(),
                             display.Width(), true);
  }
};

// A ring between two radii around (cx, cy); the edge pixels are half transparent.
void Ring(SPicture& p, double cx, double cy, double inner, double outer, uint32_t colour) {
  for (int y = int(cy - outer) - 1; y <= int(cy + outer) + 1; ++y) {
    for (int x = int(cx - outer) - 1; x <= int(cx + outer) + 1; ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      const double cover = std::clamp(std::min(d - inner, outer - d) + 0.5, 0.0, 1.0);
      if (cover > 0) p.Set(x, y, colour, cover);
    }
  }
}

// A filled diamond of the given half size.
void Diamond(SPicture& p, int cx, int cy, int half, uint32_t colour) {
  for (int y = -half; y <= half; ++y)
    for (int x = -half + std::abs(y); x <= half - std::abs(y); ++x) p.Set(cx + x, cy + y, colour);
}

// Text centred on x with its top at y, in the given size.
void Label(SPicture& p, IFontRasterizer* rasterizer, const std::string& text, int x, int y, int size,
           uint32_t colour) {
  if (!rasterizer) return;
  CTextFont font;
  if (!font.Create(p.display, *rasterizer, "ＭＳ ゴシック", size)) return;
  p.display.MarkAllDirty();
  font.DrawText(x - font.TextWidth(text) / 2, y, text, colour);
}

bool Background(const fs::path& path) {
  SPicture p(800, 600);
  return p.Save(path);
}

bool EngineLogo(const fs::path& path, IFontRasterizer* rasterizer) {
  SPicture p(kLogoW, kLogoH);
  Ring(p, 100, 100, 70, 80, kInk);
  Ring(p, 100, 100, 48, 56, kAccent);
  Diamond(p, 100, 100, 26, kInk);
  Label(p, rasterizer, "ZEL", 320, 52, 72, kInk);
  Label(p, rasterizer, "ノベルエンジン", 320, 136, 24, kAccent);
  return p.Save(path);
}

bool MakersLogo(const fs::path& path, IFontRasterizer* rasterizer) {
  SPicture p(kLogoW, kLogoH);
  for (int i = 0; i < 5; ++i) Diamond(p, 160 + i * 40, 40, 12, i % 2 ? kAccent : kInk);
  Label(p, rasterizer, "サンプル制作室", kLogoW / 2, 80, 48, kInk);
  Label(p, rasterizer, "presents", kLogoW / 2, 148, 24, kAccent);
  return p.Save(path);
}

bool WriteLogoArt(const fs::path& stageDir) {
  const fs::path logo = stageDir / "system" / "logo";
  fs::create_directories(logo);
  const std::unique_ptr<IFontRasterizer> rasterizer = CreateFontRasterizer();
  return Background(logo / "bg.png") && EngineLogo(logo / "logo0.png", rasterizer.get()) &&
         MakersLogo(logo / "logo1.png", rasterizer.get());
}

const CSampleGenerator kLogoArtGenerator("logo art", WriteLogoArt);

constexpr int kDateCard = 128;

bool DateCard(const fs::path& path, IFontRasterizer* rasterizer, const std::string& text) {
  SPicture p(kDateCard, kDateCard);
  Ring(p, kDateCard / 2.0, kDateCard / 2.0, 58, 62, kAccent);
  Label(p, rasterizer, text, kDateCard / 2, 24, 80, kInk);
  return p.Save(path);
}

bool WriteDateArt(const fs::path& stageDir) {
  const fs::path date = stageDir / "system" / "date";
  fs::create_directories(date);
  const std::unique_ptr<IFontRasterizer> rasterizer = CreateFontRasterizer();
  bool ok = DateCard(date / "month.png", rasterizer.get(), "月") &&
            DateCard(date / "day.png", rasterizer.get(), "日");
  for (int number = 1; ok && number <= 31; ++number)
    ok = DateCard(date / ("day" + std::to_string(number) + ".png"), rasterizer.get(), std::to_string(number));
  return ok;
}

const CSampleGenerator kDateArtGenerator("date art", WriteDateArt);

}  // namespace

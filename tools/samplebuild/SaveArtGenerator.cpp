// Renders the sample game's save and load screens at build time: a background for each with the
// plain looks of the six slot rows, the page bar and the thumbnail frame; the selected look of a
// row; the hovered looks of "前", "次" and "戻る" and the current-page looks of the five page
// buttons; and the page indicator's cells "1 / 5" to "5 / 5". system\save\*.scn place them.
#include <filesystem>
#include <memory>
#include <string>

#include "Canvas.h"
#include "SampleGenerator.h"
#include "platform/FontRasterizer.h"

namespace fs = std::filesystem;

namespace {

constexpr int kLabelSize = 18;
constexpr int kRows = 6;
constexpr int kRowTop = 64;
constexpr int kRowStep = 56;
constexpr int kRowH = 52;
constexpr int kPages = 5;
constexpr int kBarTop = 412;
constexpr int kBarBottom = 444;
constexpr uint32_t kBorder = 0xFF8090C0u;
constexpr uint32_t kPlain = 0xE0283050u;
constexpr uint32_t kBright = 0xF04060A0u;
constexpr uint32_t kLabel = 0xFFC8D0E0u;
constexpr uint32_t kLabelBright = 0xFFFFFFFFu;

struct SButton {
  const char* label;
  int left;
  int right;
};
const SButton kBarButtons[] = {{"前", 20, 100}, {"次", 404, 484}, {"戻る", 680, 780}};

int PageLeft(int page) { return 120 + 56 * page; }

bool Background(const fs::path& path, const char* title, IFontRasterizer* rasterizer) {
  CCanvas c(800, 600, rasterizer, kLabelSize);
  for (int y = 0; y < 600; ++y)
    c.Paint(0, y, 800, y + 1, 0xFF101828u + static_cast<uint32_t>(y / 20) * 0x010102u);
  c.Label(20, 16, 160, 56, title, 0xFFFFE0A0u);
  for (int r = 0; r < kRows; ++r)
    c.Panel(20, kRowTop + kRowStep * r, 780, kRowTop + kRowStep * r + kRowH, kPlain, kBorder);
  for (const SButton& b : kBarButtons) {
    c.Panel(b.left, kBarTop, b.right, kBarBottom, kPlain, kBorder);
    c.Label(b.left, kBarTop, b.right, kBarBottom, b.label, kLabel);
  }
  for (int page = 0; page < kPages; ++page) {
    c.Panel(PageLeft(page), kBarTop, PageLeft(page) + 48, kBarBottom, kPlain, kBorder);
    c.Label(PageLeft(page), kBarTop, PageLeft(page) + 48, kBarBottom, std::to_string(page + 1), kLabel);
  }
  c.Panel(18, 454, 182, 578, 0xFF000000u, kBorder);
  c.Panel(196, 452, 780, 590, kPlain, kBorder);
  return c.Save(path);
}

bool SelectedRow(const fs::path& path) {
  CCanvas c(760, kRowH, nullptr, kLabelSize);
  c.Panel(0, 0, 760, kRowH, kBright, 0xFFFFFFFFu);
  return c.Save(path);
}

// Top row: the hovered 前, 次 and 戻る side by side; second row: the current look of pages 1 to 5.
bool ButtonSheet(const fs::path& path, IFontRasterizer* rasterizer) {
  CCanvas c(260, 64, rasterizer, kLabelSize);
  int left = 0;
  for (const SButton& b : kBarButtons) {
    const int width = b.right - b.left;
    c.Panel(left, 0, left + width, 32, kBright, 0xFFFFFFFFu);
    c.Label(left, 0, left + width, 32, b.label, kLabelBright);
    left += width;
  }
  for (int page = 0; page < kPages; ++page) {
    c.Panel(48 * page, 32, 48 * page + 48, 64, 0xFFE09030u, 0xFFFFFFFFu);
    c.Label(48 * page, 32, 48 * page + 48, 64, std::to_string(page + 1), kLabelBright);
  }
  return c.Save(path);
}

// Cell t shows "t+1 / 5"; the cells lie side by side.
bool PageIndicator(const fs::path& path, IFontRasterizer* rasterizer) {
  CCanvas c(80 * kPages, 32, rasterizer, kLabelSize);
  for (int page = 0; page < kPages; ++page)
    c.Label(80 * page, 0, 80 * page + 80, 32, std::to_string(page + 1) + " / " + std::to_string(kPages),
            0xFFFFE0A0u);
  return c.Save(path);
}

bool WriteSaveArt(const fs::path& stageDir) {
  const fs::path save = stageDir / "system" / "save";
  fs::create_directories(save);
  const std::unique_ptr<IFontRasterizer> rasterizer = CreateFontRasterizer();
  return Background(save / "save_bg.png", "セーブ", rasterizer.get()) &&
         Background(save / "load_bg.png", "ロード", rasterizer.get()) && SelectedRow(save / "row.png") &&
         ButtonSheet(save / "buttons.png", rasterizer.get()) &&
         PageIndicator(save / "pages.png", rasterizer.get());
}

const CSampleGenerator kSaveArtGenerator("save and load screen art", WriteSaveArt);

}  // namespace

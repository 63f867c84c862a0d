// Renders the pictures of the sample game's extras at build time: for the album, the flashback and
// the music room a background with the plain buttons and slot frames, a sheet of highlighted looks,
// the completion digits, the cursor frame, the blank thumbnail and the entries' cards; the album's
// viewer buttons and two pictures of its own (a panorama twice the screen's width and the picture
// of the scene the demo route does not take). system\album, system\flashback and system\music hold
// the layouts that place them.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Canvas.h"
#include "SampleGenerator.h"
#include "platform/FontRasterizer.h"

namespace fs = std::filesystem;

namespace {

constexpr uint32_t kBackdrop = 0xFF18203Cu;
constexpr uint32_t kPanel = 0xFF2C3A66u;
constexpr uint32_t kBorder = 0xFF8090C0u;
constexpr uint32_t kInk = 0xFFE8ECF8u;
constexpr uint32_t kHover = 0xFFD07030u;
constexpr int kLabel = 20;

struct SBox {
  int x0, y0, x1, y1;
  std::string label;
};

// The common buttons of the three screens.
const std::vector<SBox> kPageButtons = {
    {40, 520, 200, 560, "前"}, {220, 520, 380, 560, "次"}, {600, 520, 760, 560, "戻る"}};

// The background: a title, the completion label, the plain buttons and a frame per slot.
bool Background(const fs::path& path, IFontRasterizer* fonts, const std::string& title,
                const std::vector<SBox>& buttons, const std::vector<SBox>& frames) {
  CCanvas c(800, 600, fonts, kLabel);
  c.Paint(0, 0, 800, 600, kBackdrop);
  c.Label(40, 30, 300, 80, title, kInk);
  c.Label(470, 40, 596, 72, "達成率", kInk);
  c.Label(672, 40, 700, 72, "%", kInk);
  for (const SBox& b : buttons) {
    c.Panel(b.x0, b.y0, b.x1, b.y1, kPanel, kBorder);
    c.Label(b.x0, b.y0, b.x1, b.y1, b.label, kInk);
  }
  for (const SBox& f : frames) c.Panel(f.x0 - 2, f.y0 - 2, f.x1 + 2, f.y1 + 2, 0xFF101424u, kBorder);
  return c.Save(path);
}

// The highlighted looks, one row of 160 x 40 per label (the layouts take the part they need).
bool HoverSheet(const fs::path& path, IFontRasterizer* fonts, const std::vector<std::string>& labels) {
  CCanvas c(160, 40 * int(labels.size()), fonts, kLabel);
  for (size_t i = 0; i < labels.size(); ++i) {
    const int top = 40 * int(i);
    c.Panel(0, top, 160, top + 40, kHover, 0xFFFFE0B0u);
    c.Label(0, top, 160, top + 40, labels[i], 0xFFFFFFFFu);
  }
  return c.Save(path);
}

// Ten digit cells of 24 x 32.
bool Digits(const fs::path& path, IFontRasterizer* fonts) {
  CCanvas c(240, 32, fonts, 28);
  for (int d = 0; d < 10; ++d) c.Label(d * 24, 0, d * 24 + 24, 32, std::to_string(d), 0xFFFFE070u);
  return c.Save(path);
}

// A frame four pixels wide around a clear middle.
bool Cursor(const fs::path& path, int w, int h) {
  CCanvas c(w, h, nullptr, kLabel);
  c.Paint(0, 0, w, h, 0xFFFFD040u);
  c.Paint(4, 4, w - 4, h - 4, 0x00000000u);
  return c.Save(path);
}

// A card: a coloured panel with a caption (thumbnails, blanks and the music room's pictures).
CCanvas Card(int w, int h, IFontRasterizer* fonts, uint32_t colour, const std::string& caption) {
  CCanvas c(w, h, fonts, kLabel);
  c.Panel(0, 0, w, h, colour, 0xFFFFFFFFu);
  c.Label(0, 0, w, h, caption, kInk);
  return c;
}

bool Cards(const fs::path& folder, IFontRasterizer* fonts, int w, int h,
           const std::vector<std::pair<std::string, std::string>>& cards) {
  uint32_t colour = 0xFF3A6A9Au;
  for (const auto& [name, caption] : cards) {
    if (!Card(w, h, fonts, colour, caption).Save(folder / name)) return false;
    colour += 0x00281C08u;
  }
  return true;
}

// 1600 x 600: a sky over hills that runs from morning on the left to evening on the right.
bool Panorama(const fs::path& path, IFontRasterizer* fonts) {
  CCanvas c(1600, 600, fonts, 48);
  for (int x = 0; x < 1600; x += 8) {
    const uint32_t red = uint32_t(80 + x * 150 / 1600), blue = uint32_t(220 - x * 120 / 1600);
    c.Paint(x, 0, x + 8, 600, 0xFF000000u | red << 16 | 0x7000u | blue);
    const int hill = 420 + int(60 * ((x / 8) % 50 < 25 ? (x / 8) % 25 : 25 - (x / 8) % 25) / 25);
    c.Paint(x, hill, x + 8, 600, 0xFF2A5A30u);
  }
  c.Label(0, 200, 800, 280, "朝の丘", kInk);
  c.Label(800, 200, 1600, 280, "夕方の丘", kInk);
  return c.Save(path);
}

bool Secret(const fs::path& path, IFontRasterizer* fonts) {
  CCanvas c(800, 600, fonts, 40);
  c.Paint(0, 0, 800, 600, 0xFF5A3A2Au);
  c.Paint(0, 380, 800, 600, 0xFF3A2A20u);
  c.Label(0, 240, 800, 320, "夕暮れの道", 0xFFFFE0C0u);
  return c.Save(path);
}

// What every extras folder has: the background, the highlighted looks, the digits, the cursor frame
// and the blank thumbnail, the last two of the slots' size.
struct SScreenArt {
  std::string title;
  std::vector<SBox> buttons;
  std::vector<SBox> frames;
  std::vector<std::string> hover;
  int slotW, slotH;
  std::string blank;
};

bool ScreenArt(const fs::path& folder, IFontRasterizer* fonts, const SScreenArt& art) {
  fs::create_directories(folder);
  return Background(folder / "bg.png", fonts, art.title, art.buttons, art.frames) &&
         HoverSheet(folder / "hover.png", fonts, art.hover) && Digits(folder / "digits.png", fonts) &&
         Cursor(folder / "cursor.png", art.slotW, art.slotH) &&
         Card(art.slotW, art.slotH, fonts, 0xFF404040u, "？").SaveBmp(folder / art.blank);
}

bool AlbumArt(const fs::path& stage, IFontRasterizer* fonts) {
  const fs::path album = stage / "system" / "album";
  std::vector<SBox> buttons = kPageButtons;
  buttons.push_back({40, 100, 200, 140, "風景"});
  buttons.push_back({220, 100, 380, 140, "人物"});
  const std::vector<SBox> slots = {
      {40, 160, 200, 280, ""}, {230, 160, 390, 280, ""}, {420, 160, 580, 280, ""}, {610, 160, 770, 280, ""}};
  CCanvas banner(720, 120, fonts, 24);
  banner.Panel(0, 0, 720, 60, kPanel, kBorder);
  banner.Label(0, 0, 720, 60, "昼と夜、朝と夕方の景色", kInk);
  banner.Panel(0, 60, 720, 120, kPanel, kBorder);
  banner.Label(0, 60, 720, 120, "案内役のゆき", kInk);
  CCanvas strip(800, 60, fonts, kLabel);
  strip.Paint(0, 0, 800, 60, 0x80000000u);
  for (const SBox& b : kPageButtons) {
    strip.Panel(b.x0, b.y0 - 510, b.x1, b.y1 - 510, kPanel, kBorder);
    strip.Label(b.x0, b.y0 - 510, b.x1, b.y1 - 510, b.label, kInk);
  }
  return ScreenArt(
             album, fonts,
             {"アルバム", buttons, slots, {"前", "次", "戻る", "風景", "人物"}, 160, 120, "al_blank.bmp"}) &&
         Cards(album, fonts, 160, 120,
               {{"th_day.png", "昼と夜"},
                {"th_pano.png", "丘の一日"},
                {"th_yuki.png", "ゆき"},
                {"th_secret.png", "夕暮れ"}}) &&
         banner.Save(album / "category.png") && strip.Save(album / "strip.png") &&
         Panorama(stage / "anime" / "panorama.png", fonts) && Secret(stage / "anime" / "secret.png", fonts);
}

bool FlashbackArt(const fs::path& stage, IFontRasterizer* fonts) {
  const fs::path flashback = stage / "system" / "flashback";
  const std::vector<SBox> slots = {
      {40, 160, 260, 325, ""}, {290, 160, 510, 325, ""}, {540, 160, 760, 325, ""}};
  return ScreenArt(
             flashback, fonts,
             {"フラッシュバック", kPageButtons, slots, {"前", "次", "戻る"}, 220, 165, "fl_blank.bmp"}) &&
         Cards(flashback, fonts, 220, 165,
               {{"th1.png", "二つ目のスクリプト"}, {"th2.png", "音の見本"}, {"th3.png", "読書の日"}});
}

bool MusicArt(const fs::path& stage, IFontRasterizer* fonts) {
  const fs::path music = stage / "system" / "music";
  std::vector<SBox> buttons = kPageButtons;
  for (const SBox& b : std::vector<SBox>{{40, 360, 200, 400, "再生"},
                                         {220, 360, 380, 400, "停止"},
                                         {400, 360, 560, 400, "前の曲"},
                                         {580, 360, 740, 400, "次の曲"}})
    buttons.push_back(b);
  const std::vector<SBox> frames = {{60, 140, 460, 212, ""}, {500, 140, 760, 335, ""}};
  const std::vector<std::string> hover = {"前", "次", "戻る", "再生", "停止", "前の曲", "次の曲"};
  return ScreenArt(music, fonts, {"ミュージック", buttons, frames, hover, 160, 120, "mu_blank.bmp"}) &&
         Cards(music, fonts, 260, 195,
               {{"p1.png", "はじまりの風"},
                {"p2.png", "ゆきのテーマ"},
                {"p3.png", "夕暮れの道"},
                {"p4.png", "チャイム"}});
}

bool WriteExtrasArt(const fs::path& stage) {
  fs::create_directories(stage / "anime");
  const std::unique_ptr<IFontRasterizer> fonts = CreateFontRasterizer();
  return AlbumArt(stage, fonts.get()) && FlashbackArt(stage, fonts.get()) && MusicArt(stage, fonts.get());
}

const CSampleGenerator kExtrasArtGenerator("extras art", WriteExtrasArt);

}  // namespace

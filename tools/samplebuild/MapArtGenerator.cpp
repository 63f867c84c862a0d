// Renders the sample game's town map at build time: the day and evening backgrounds with four
// places, the glow behind a hovered place, the name plates, the message plate, the action-point
// marks, the date digits, the quick save and load buttons, the person standing at the station, and
// the map selection's background and answer sheet. system\map\*.scn and system\MapSelect\bg.scn
// place them.
#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "Canvas.h"
#include "SampleGenerator.h"

namespace fs = std::filesystem;

namespace {

struct SPlaceArt {
  const char* name;
  int left, top;
};
// Each place is 200 x 140; the controls of the layouts use the same rectangles.
constexpr int kPlaceW = 200;
constexpr int kPlaceH = 140;
constexpr std::array<SPlaceArt, 4> kPlaces = {
    {{"公園", 60, 120}, {"神社", 540, 100}, {"商店街", 60, 300}, {"駅", 540, 300}}};
constexpr int kDigitW = 16;
constexpr int kDigitH = 24;

// Ground, two roads crossing between the places, the places as labelled blocks, the slashes and
// colons between the date digits and the resting look of the quick buttons.
bool TownBackground(const fs::path& path, IFontRasterizer* rasterizer, bool evening) {
  CCanvas c(800, 600, rasterizer, 20);
  const uint32_t ground = evening ? 0xFF3A3050u : 0xFF7FB069u;
  const uint32_t road = evening ? 0xFF5A5060u : 0xFFD8C8A0u;
  const uint32_t block = evening ? 0xFF604878u : 0xFFB08860u;
  c.Paint(0, 0, 800, 600, ground);
  c.Paint(0, 270, 800, 290, road);
  c.Paint(390, 60, 410, 470, road);
  for (const SPlaceArt& place : kPlaces) {
    c.Panel(place.left, place.top, place.left + kPlaceW, place.top + kPlaceH, block, 0xFF302020u);
    c.Label(place.left, place.top, place.left + kPlaceW, place.top + 40, place.name,
            evening ? 0xFFFFE0A0u : 0xFFFFFFFFu);
  }
  c.Panel(10, 10, 200, 46, 0xC0182848u, 0xFFA0B0D0u);
  c.Label(20 + 2 * kDigitW, 16, 20 + 3 * kDigitW, 16 + kDigitH, "/", 0xFFFFFFFFu);
  c.Label(140, 16, 156, 16 + kDigitH, ":", 0xFFFFFFFFu);
  c.Panel(300, 16, 380, 40, 0xE0283050u, 0xFF8090C0u);
  c.Label(300, 16, 380, 40, "Qセーブ", 0xFFC8D0E0u);
  c.Panel(390, 16, 470, 40, 0xE0283050u, 0xFF8090C0u);
  c.Label(390, 16, 470, 40, "Qロード", 0xFFC8D0E0u);
  return c.Save(path);
}

// A warm frame 8 pixels outside a place.
bool Glow(const fs::path& path) {
  CCanvas c(kPlaceW + 16, kPlaceH + 16, nullptr, 14);
  c.Paint(0, 0, kPlaceW + 16, kPlaceH + 16, 0xC0FFD040u);
  c.Paint(6, 6, kPlaceW + 10, kPlaceH + 10, 0x00000000u);
  return c.Save(path);
}

// One plate per place, stacked in place order, 120 x 28 each.
bool NamePlates(const fs::path& path, IFontRasterizer* rasterizer) {
  CCanvas c(120, 28 * static_cast<int>(kPlaces.size()), rasterizer, 16);
  for (size_t i = 0; i < kPlaces.size(); ++i) {
    const int top = 28 * static_cast<int>(i);
    c.Panel(0, top, 120, top + 28, 0xF0402818u, 0xFFFFD040u);
    c.Label(0, top, 120, top + 28, kPlaces[i].name, 0xFFFFF0C0u);
  }
  return c.Save(path);
}

// The digits 0 to 9 side by side, one cell each.
bool Digits(const fs::path& path, IFontRasterizer* rasterizer) {
  CCanvas c(10 * kDigitW, kDigitH, rasterizer, 20);
  for (int digit = 0; digit < 10; ++digit)
    c.Label(digit * kDigitW, 0, (digit + 1) * kDigitW, kDigitH, std::string(1, char('0' + digit)),
            0xFFFFFFFFu);
  return c.Save(path);
}

bool QuickButtons(const fs::path& path, IFontRasterizer* rasterizer) {
  CCanvas c(80, 48, rasterizer, 14);
  c.Panel(0, 0, 80, 24, 0xFFE09030u, 0xFFFFFFFFu);
  c.Label(0, 0, 80, 24, "Qセーブ", 0xFFFFFFFFu);
  c.Panel(0, 24, 80, 48, 0xFFE09030u, 0xFFFFFFFFu);
  c.Label(0, 24, 80, 48, "Qロード", 0xFFFFFFFFu);
  return c.Save(path);
}

// A round mark for each action point left.
bool ApMark(const fs::path& path) {
  CCanvas c(28, 28, nullptr, 14);
  for (int y = 0; y < 28; ++y)
    for (int x = 0; x < 28; ++x) {
      const int dx = 2 * x - 27, dy = 2 * y - 27;
      if (dx * dx + dy * dy <= 26 * 26)
        c.Paint(x, y, x + 1, y + 1, dx * dx + dy * dy <= 18 * 18 ? 0xFFFF7050u : 0xFFFFFFFFu);
    }
  return c.Save(path);
}

// A small figure: a head over a dress, 40 x 80.
bool Person(const fs::path& path) {
  CCanvas c(40, 80, nullptr, 14);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 40; ++x) {
      const int dx = 2 * x - 39, dy = 2 * y - 23;
      if (dx * dx + dy * dy <= 22 * 22) c.Paint(x, y, x + 1, y + 1, 0xFFF8D8C0u);
    }
  for (int y = 24; y < 80; ++y) {
    const int half = 6 + (y - 24) / 3;
    c.Paint(20 - half, y, 20 + half, y + 1, 0xFFD04848u);
  }
  c.Paint(8, 0, 32, 6, 0xFF402020u);
  return c.Save(path);
}

// The map selection: a background and the three shops in two looks (rows of 240 x 48: normal on
// the left, selected on the right).
bool SelectionArt(const fs::path& folder, IFontRasterizer* rasterizer) {
  CCanvas background(800, 600, rasterizer, 24);
  background.Paint(0, 0, 800, 600, 0xFF283048u);
  background.Label(0, 60, 800, 110, "どのお店に入りますか？", 0xFFFFFFFFu);
  const std::array<const char*, 3> shops = {"パン屋", "本屋", "花屋"};
  CCanvas sheet(480, 48 * 3, rasterizer, 20);
  for (int look = 0; look < 2; ++look)
    for (int i = 0; i < 3; ++i) {
      const int left = look * 240, top = i * 48;
      sheet.Panel(left + 2, top + 2, left + 238, top + 46, look ? 0xFFE09030u : 0xE0283050u, 0xFF8090C0u);
      sheet.Label(left, top, left + 240, top + 48, shops[static_cast<size_t>(i)], 0xFFFFFFFFu);
    }
  return background.Save(folder / "bg.png") && sheet.Save(folder / "shops.png");
}

bool WriteMapArt(const fs::path& stageDir) {
  const fs::path map = stageDir / "system" / "map";
  const fs::path select = stageDir / "system" / "MapSelect";
  fs::create_directories(map);
  fs::create_directories(select);
  const std::unique_ptr<IFontRasterizer> rasterizer = CreateFontRasterizer();
  IFontRasterizer* fonts = rasterizer.get();
  CCanvas plate(760, 110, nullptr, 14);
  plate.Panel(0, 0, 760, 110, 0xC0101830u, 0xFFA0B0D0u);
  return TownBackground(map / "day.png", fonts, false) && TownBackground(map / "evening.png", fonts, true) &&
         Glow(map / "glow.png") && NamePlates(map / "names.png", fonts) &&
         Digits(map / "digits.png", fonts) && QuickButtons(map / "quick.png", fonts) &&
         ApMark(map / "ap.png") && Person(map / "yuki.png") && plate.Save(map / "message.png") &&
         SelectionArt(select, fonts);
}

const CSampleGenerator kMapArtGenerator("town map art", WriteMapArt);

}  // namespace

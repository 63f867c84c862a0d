#include <gtest/gtest.h>

#include "TextTestSupport.h"
#include "io/TempDir.h"
#include "ui/MessageText.h"
#include "ui/MessageWindow.h"

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 170;

const char* const kWindow =
    "CONTROL\r\n POS 0 30 400 170\r\n IMAGE plate.png\r\n ALPHA 100\r\nCONTROL END\r\n"
    "CONTROL\r\n NAME 名前\r\n POS 10 40 130 64\r\nCONTROL END\r\n"
    "CONTROL\r\n NAME テキスト\r\n POS 20 86 380 166\r\nCONTROL END\r\n";

// A translucent dark plate with a lighter frame line, as a window background.
std::string PlatePng() {
  std::vector<uint32_t> pixels(kWidth * 140);
  for (int y = 0; y < 140; ++y)
    for (int x = 0; x < kWidth; ++x)
      pixels[y * kWidth + x] = (y == 2 || y == 137) ? 0xFFA0B0D0u : 0xC0182040u;
  EXPECT_TRUE(CPngWriter::Write("plate.png", pixels.data(), kWidth, 140, kWidth, true));
  const std::vector<uint8_t> bytes = CTempDir::Read("plate.png");
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

// A page drawn through the real font rasteriser: speaker name, ruby, a coloured word, the edge
// effect and three text sizes, over a window plate on a gradient.
TEST(TextGoldenTest, PageWithNameRubyColourAndEdge) {
  CTempDir dir;
  texttest::LoadGame(
      "フォントサイズ,24\r\nフォント行間,36\r\nフォント効果,ふち\r\nフォント効果の色,#000000\r\n"
      "名前の色,#FFC080\r\nウィンドウ開閉時間,1\r\n",
      {{"window\\window.scn", kWindow}, {"window\\plate.png", PlatePng()}});
  const std::unique_ptr<IFontRasterizer> rasterizer = CreateFontRasterizer();
  ASSERT_TRUE(rasterizer);
  CDisplay display;
  display.Init(nullptr, kWidth, kHeight, true);
  texttest::CFakeMessageHost host;
  CMessageText text(host, display);
  CMessageWindow window(host, text, display);
  ASSERT_TRUE(text.CreateFonts(*rasterizer));
  text.SetWindowStyle(0);
  window.LoadLayouts();
  window.SetShown(true);
  window.UpdateWindowLevels(1);
  settings::Config().SetValue(CPlayerConfig::kTextSpeed, 100);

  text.SetSpeaker("ゆき");
  text.AddText("今日", "きょう", 100, -1);
  text.AddText("は", "", 100, -1);
  text.AddText("赤", "", 100, 0x0000FF);
  text.AddText("い", "", 100, 0x0000FF);
  for (const char* c : {"花", "が", "咲", "い", "た", "。"}) text.AddText(c, "", 100, -1);
  text.AddText("\n", "", 100, -1);
  text.AddText("大", "", 150, -1);
  text.AddText("き", "", 150, -1);
  text.AddText("く", "", 100, -1);
  text.AddText("小", "", 50, -1);
  text.AddText("さく", "", 50, -1);
  text.AddText("ABC", "", 100, 0xFF8000);
  host.mode = 2;

  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      display.Pixels()[y * kWidth + x] =
          0xFF000000u | uint32_t(x * 255 / kWidth) << 16 | uint32_t(y) << 8 | 0x60;
  display.MarkAllDirty();
  window.Draw(-1, -1);
  texttest::ExpectMatchesGolden(display, "TextPage", 8);
}

// Renders the sample game's config pages and backlog at build time, layouts included, so every
// control's rectangle is written once: system\config\bg.scn and bg1.scn (every item of the player
// configuration over the two pages, with page buttons), their backgrounds with the normal look of
// each control and a sheet of highlighted looks at the same places, the slider knob, and
// system\log\bg.scn with four rows, a voice mark and a scroll bar. Labels go through the engine's
// own glyph cache.
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "SampleGenerator.h"
#include "gfx/Display.h"
#include "gfx/PngWriter.h"
#include "platform/FontRasterizer.h"
#include "ui/TextFont.h"

namespace fs = std::filesystem;

namespace {

constexpr int kScreenW = 800;
constexpr int kScreenH = 600;
constexpr int kKnobW = 16;
constexpr int kRowH = 32;

enum class EKind { kOption, kSlider, kButton };

struct SControl {
  const char* name;
  const char* label;
  int left, top, right;
  EKind kind;
};

struct SCaption {
  const char* text;
  int top;
};

struct SPage {
  std::vector<SCaption> captions;
  std::vector<SControl> controls;
};

// The buttons every page has, the current page's button included.
std::vector<SControl> Buttons(std::vector<SControl> controls) {
  const std::vector<SControl> buttons = {{"ページ0", "1", 620, 470, 680, EKind::kButton},
                                         {"ページ1", "2", 700, 470, 760, EKind::kButton},
                                         {"名前入力", "名前入力", 40, 530, 180, EKind::kButton},
                                         {"ボイス分類", "ボイス", 190, 530, 330, EKind::kButton},
                                         {"フォント", "フォント", 340, 530, 480, EKind::kButton},
                                         {"初期化", "初期化", 490, 530, 610, EKind::kButton},
                                         {"戻る", "戻る", 640, 530, 760, EKind::kButton}};
  controls.insert(controls.end(), buttons.begin(), buttons.end());
  return controls;
}

SControl Option(const char* name, const char* label, int column, int top) {
  return {name, label, 260 + 160 * column, top, 400 + 160 * column, EKind::kOption};
}

SControl Slider(const char* name, int top) { return {name, "", 260, top, 560, EKind::kSlider}; }

// Page 0: the display, effects, text and skip items; page 1: the volumes and the four switches.
std::vector<SPage> Pages() {
  SPage first{{{"画面モード", 70},
               {"エフェクト", 115},
               {"文字の速さ", 160},
               {"オート待ち", 250},
               {"スキップ", 295},
               {"選択肢の後", 340},
               {"既読の色", 385}},
              Buttons({Option("フルスクリーン", "全画面", 0, 70),
                       Option("ウィンドウ", "ウィンドウ", 1, 70),
                       Option("エフェクトON", "ON", 0, 115),
                       Option("エフェクトOFF", "OFF", 1, 115),
                       {"低速", "低速", 260, 160, 350, EKind::kOption},
                       {"中速", "中速", 365, 160, 455, EKind::kOption},
                       {"高速", "高速", 470, 160, 560, EKind::kOption},
                       Slider("速度", 205),
                       Slider("オート速度", 250),
                       Option("既読のみスキップ", "既読のみ", 0, 295),
                       Option("全てスキップ", "全て", 1, 295),
                       Option("スキップ継続する", "続ける", 0, 340),
                       Option("スキップ継続しない", "止める", 1, 340),
                       Option("既読表示OFF", "OFF", 0, 385),
                       Option("既読表示ON", "ON", 1, 385)})};
  SPage second{{{"BGM", 70},
                {"VOICE", 115},
                {"SE", 160},
                {"スイッチ0", 205},
                {"スイッチ1", 250},
                {"スイッチ2", 295},
                {"スイッチ3", 340}},
               Buttons({Slider("BGM", 70), Slider("VOICE", 115), Slider("SE", 160),
                        Option("スイッチ0OFF", "OFF", 0, 205), Option("スイッチ0ON", "ON", 1, 205),
                        Option("スイッチ1OFF", "OFF", 0, 250), Option("スイッチ1ON", "ON", 1, 250),
                        Option("スイッチ2OFF", "OFF", 0, 295), Option("スイッチ2ON", "ON", 1, 295),
                        Option("スイッチ3OFF", "OFF", 0, 340), Option("スイッチ3ON", "ON", 1, 340)})};
  return {first, second};
}

// A picture in a display's buffer (transparent or filled) with text through a glyph cache of the
// given size.
class CPicture {
 public:
  CPicture(int width, int height, uint32_t fill, IFontRasterizer* rasterizer, int textSize) {
    display.Init(nullptr, width, height, true);
    std::fill_n(display.Pixels(), width * height, fill);
    if (!rasterizer) return;
    font.Create(display, *rasterizer, "ＭＳ ゴシック", textSize);
    hasFont = true;
  }
  void Box(int x0, int y0, int x1, int y1, uint32_t colour) {
    for (int y = std::max(y0, 0); y < std::min(y1, display.Height()); ++y)
      std::fill(display.Pixels() + y * display.Width() + std::max(x0, 0),
                display.Pixels() + y * display.Width() + std::min(x1, display.Width()), colour);
  }
  void Framed(int x0, int y0, int x1, int y1, uint32_t fill, uint32_t edge) {
    Box(x0, y0, x1, y1, edge);
    Box(x0 + 2, y0 + 2, x1 - 2, y1 - 2, fill);
  }
  // Text at (x, y), or centred between x and right when right is given.
  void Text(int x, int y, const std::string& text, uint32_t colour, int right = -1) {
    if (!hasFont) return;
    display.MarkAllDirty();
    font.DrawText(right < 0 ? x : (x + right - font.TextWidth(text)) / 2, y, text, colour);
  }
  bool Save(const fs::path& path) {
    return CPngWriter::Write(path.string(), display.Pixels(), display.Width(), display.Height(),
                             display.Width(), true);
  }

 private:
  CDisplay display;
  CTextFont font;
  bool hasFont = false;
};

void Backdrop(CPicture& p, const char* title) {
  for (int y = 0; y < kScreenH; ++y)
    p.Box(0, y, kScreenW, y + 1, 0xFF101828u + static_cast<uint32_t>(y / 20));
  p.Framed(20, 16, kScreenW - 20, kScreenH - 16, 0xFF182440u, 0xFF6070A0u);
  p.Text(40, 26, title, 0xFFFFE0A0u);
}

std::string ControlText(const SControl& c, const std::string& image, bool source) {
  std::string text = "CONTROL\r\n  NAME " + std::string(c.name) + "\r\n  POS " + std::to_string(c.left) +
                     " " + std::to_string(c.top) + " " + std::to_string(c.right) + " " +
                     std::to_string(c.top + kRowH) + "\r\n  IMAGE " + image + "\r\n";
  if (source) text += "  SRC " + std::to_string(c.left) + " " + std::to_string(c.top) + "\r\n";
  return text + "  ALPHA 100\r\nCONTROL END\r\n";
}

bool WriteText(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out);
}

bool ConfigPage(const fs::path& folder, int number, const SPage& page, IFontRasterizer* rasterizer) {
  const std::string suffix = number == 0 ? "" : std::to_string(number);
  CPicture plain(kScreenW, kScreenH, 0, rasterizer, 18);
  CPicture lit(kScreenW, kScreenH, 0, rasterizer, 18);
  Backdrop(plain, "コンフィグ");
  std::string scn = "# Config page " + std::to_string(number + 1) +
                    " of the sample game (generated).\r\nBG page" + suffix + ".png\r\n";
  for (const SCaption& caption : page.captions) plain.Text(50, caption.top + 7, caption.text, 0xFFC8D0E0u);
  for (const SControl& c : page.controls) {
    const int bottom = c.top + kRowH;
    if (c.kind == EKind::kSlider) {
      plain.Framed(c.left, c.top + 12, c.right, bottom - 12, 0xFF304060u, 0xFF8090C0u);
      scn += ControlText(c, "knob.png", false);
      continue;
    }
    plain.Framed(c.left, c.top, c.right, bottom, 0xFF283050u, 0xFF8090C0u);
    plain.Text(c.left, c.top + 7, c.label, 0xFFC8D0E0u, c.right);
    const uint32_t fill = c.kind == EKind::kButton ? 0xFF4060A0u : 0xFFE09030u;
    lit.Framed(c.left, c.top, c.right, bottom, fill, 0xFFFFFFFFu);
    lit.Text(c.left, c.top + 7, c.label, 0xFFFFFFFFu, c.right);
    scn += ControlText(c, "lit" + suffix + ".png", true);
  }
  return plain.Save(folder / ("page" + suffix + ".png")) && lit.Save(folder / ("lit" + suffix + ".png")) &&
         WriteText(folder / ("bg" + suffix + ".scn"), scn);
}

bool Knob(const fs::path& path) {
  CPicture p(kKnobW, kRowH, 0, nullptr, 0);
  p.Framed(0, 0, kKnobW, kRowH, 0xFFE09030u, 0xFFFFFFFFu);
  return p.Save(path);
}

// Four rows of 136 pixels: the voice mark and the name on top, below them up to three lines of text
// as wide as the message window's; the scroll bar on the right.
bool Backlog(const fs::path& folder, IFontRasterizer* rasterizer) {
  CPicture plain(kScreenW, kScreenH, 0, rasterizer, 18);
  Backdrop(plain, "ログ");
  std::string scn = "# Backlog of the sample game (generated).\r\nBG log.png\r\n";
  auto control = [&scn](const std::string& name, int l, int t, int r, int b, const char* image) {
    scn += "CONTROL\r\n  NAME " + name + "\r\n  POS " + std::to_string(l) + " " + std::to_string(t) + " " +
           std::to_string(r) + " " + std::to_string(b) + "\r\n";
    if (image) scn += "  IMAGE " + std::string(image) + "\r\n  ALPHA 100\r\n";
    scn += "CONTROL END\r\n";
  };
  for (int r = 0; r < 4; ++r) {
    const int top = 50 + 136 * r;
    const std::string n = std::to_string(r);
    control("ログ" + n, 30, top, 744, top + 134, nullptr);
    control("名前" + n, 64, top + 4, 300, top + 30, nullptr);
    control("テキスト" + n, 60, top + 30, 740, top + 134, nullptr);
    control("ボイス" + n, 36, top + 4, 60, top + 28, "voice.png");
    plain.Box(30, top + 134, 744, top + 135, 0xFF405070u);
  }
  control("スクロール", 752, 50, 776, 590, nullptr);
  CPicture mark(24, 24, 0, nullptr, 0);
  mark.Box(4, 8, 10, 16, 0xFFFFE0A0u);
  for (int i = 0; i < 8; ++i) mark.Box(10, 8 - i, 11 + i / 2, 16 + i, 0xFFFFE0A0u);
  mark.Box(18, 6, 20, 18, 0xFFFFE0A0u);
  return plain.Save(folder / "log.png") && mark.Save(folder / "voice.png") &&
         WriteText(folder / "bg.scn", scn);
}

bool WriteMenuScreenArt(const fs::path& stageDir) {
  const fs::path config = stageDir / "system" / "config";
  const fs::path log = stageDir / "system" / "log";
  fs::create_directories(config);
  fs::create_directories(log);
  const std::unique_ptr<IFontRasterizer> rasterizer = CreateFontRasterizer();
  const std::vector<SPage> pages = Pages();
  for (int i = 0; i < static_cast<int>(pages.size()); ++i)
    if (!ConfigPage(config, i, pages[i], rasterizer.get())) return false;
  return Knob(config / "knob.png") && Backlog(log, rasterizer.get());
}

const CSampleGenerator kMenuScreenArtGenerator("config and backlog screens", WriteMenuScreenArt);

}  // namespace

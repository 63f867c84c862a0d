// Renders the sample game's message-window pictures at build time: the window plate, the sheet of
// the nine window buttons (normal, hovered, switched on, switched on and hovered), the date,
// choice and verb plates, the system menu and the prompt box with their answers, and
// system\system.png with the click-region cursors and the key-wait strip. Labels are drawn with the engine's
// own glyph cache. system\window\*.scn place them.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Canvas.h"
#include "SampleGenerator.h"
#include "gfx/Display.h"
#include "gfx/PngWriter.h"
#include "platform/FontRasterizer.h"
#include "ui/TextFont.h"

namespace fs = std::filesystem;

namespace {

constexpr int kButtonW = 64;
constexpr int kButtonH = 20;
constexpr int kButtons = 9;
constexpr int kLooks = 4;
constexpr int kLabelSize = 14;
const char* const kButtonLabels[kButtons] = {"Qロード", "Qセーブ", "ログ", "オート", "スキップ",
                                             "ロード",  "セーブ",  "設定", "閉じる"};
const uint32_t kButtonFill[kLooks] = {0xE0283050u, 0xF04060A0u, 0xF0A06020u, 0xFFE09030u};
const uint32_t kLabelColour[kLooks] = {0xFFC8D0E0u, 0xFFFFFFFFu, 0xFFFFF0D0u, 0xFFFFFFFFu};
constexpr int kCursor = 32;
constexpr int kFirstVerbCursor = 8;
constexpr int kVerbs = 6;
const uint32_t kVerbColour[kVerbs] = {0xFF60C0FFu, 0xFFFFE060u, 0xFF80FF80u,
                                      0xFFFFA0C0u, 0xFFFFB060u, 0xFFFF6060u};
constexpr int kKeyWaitRow = 104;
constexpr int kKeyWait = 24;

// The window plate: the button strip on top stays clear; a name tab above the text panel that
// darkens towards the bottom.
bool WindowPlate(const fs::path& path) {
  CCanvas c(800, 210, nullptr, kLabelSize);
  c.Panel(0, 30, 800, 210, 0xC0101830u, 0xFFA0B0D0u);
  for (int y = 31; y < 209; ++y)
    c.Paint(1, y, 799, y + 1, 0xB0101830u + (static_cast<uint32_t>(y - 31) / 6 << 24));
  c.Panel(30, 36, 250, 66, 0xD0283868u, 0xFF8090C0u);
  return c.Save(path);
}

// Row r of the sheet is look r of every button: normal, hovered, on, on and hovered.
bool ButtonSheet(const fs::path& path, IFontRasterizer* rasterizer) {
  CCanvas c(kButtonW * kButtons, kButtonH * kLooks, rasterizer, kLabelSize);
  for (int look = 0; look < kLooks; ++look) {
    for (int i = 0; i < kButtons; ++i) {
      const int x = i * kButtonW, y = look * kButtonH;
      c.Panel(x + 1, y + 1, x + kButtonW - 1, y + kButtonH - 1, kButtonFill[look], 0xFF8090C0u);
      c.Label(x, y, x + kButtonW, y + kButtonH, kButtonLabels[i], kLabelColour[look]);
    }
  }
  return c.Save(path);
}

// A panel of labelled rows in two looks side by side: normal on the left, selected on the right.
// Row r has its top at kListMargin + r * kListStep.
constexpr int kListMargin = 20;
constexpr int kListStep = 34;
constexpr int kListRowH = 28;
bool ListSheet(const fs::path& path, IFontRasterizer* rasterizer, const std::vector<std::string>& labels,
               int width) {
  const int rows = static_cast<int>(labels.size());
  CCanvas c(2 * width, 2 * kListMargin + rows * kListStep - (kListStep - kListRowH), rasterizer, kLabelSize);
  for (int look = 0; look < 2; ++look) {
    const int left = look * width;
    c.Panel(left, 0, left + width, c.display.Height(), 0xD0182848u, 0xFFA0B0D0u);
    for (int r = 0; r < rows; ++r) {
      const int top = kListMargin + r * kListStep;
      c.Panel(left + kListMargin, top, left + width - kListMargin, top + kListRowH, kButtonFill[look ? 3 : 0],
              0xFF8090C0u);
      c.Label(left + kListMargin, top, left + width - kListMargin, top + kListRowH, labels[r],
              kLabelColour[look ? 3 : 0]);
    }
  }
  return c.Save(path);
}

bool PlainPlate(const fs::path& path, int width, int height) {
  CCanvas c(width, height, nullptr, kLabelSize);
  c.Panel(0, 0, width, height, 0xC0182848u, 0xFFA0B0D0u);
  return c.Save(path);
}

bool MenuArt(const fs::path& window, IFontRasterizer* rasterizer) {
  const std::vector<std::string> items = {"セーブ", "ロード",  "コンフィグ", "ゲーム終了", "タイトルへ",
                                          "閉じる", "Qロード", "Qセーブ",    "ログ",       "前の選択肢"};
  return ListSheet(window / "menu.png", rasterizer, items, 240) &&
         ListSheet(window / "answers.png", rasterizer, {"はい", "いいえ"}, 160) &&
         PlainPlate(window / "message.png", 400, 180);
}

// A ring with a centre dot in the verb's colour.
void VerbCursor(CCanvas& c, int left, int top, uint32_t colour) {
  for (int y = 0; y < kCursor; ++y) {
    for (int x = 0; x < kCursor; ++x) {
      const int dx = 2 * x + 1 - kCursor, dy = 2 * y + 1 - kCursor;
      const int d2 = dx * dx + dy * dy;
      if ((d2 >= 20 * 20 && d2 <= 28 * 28) || d2 <= 6 * 6)
        c.Paint(left + x, top + y, left + x + 1, top + y + 1, colour);
    }
  }
}

// A downward arrowhead that bobs by two pixels per frame.
void KeyWaitFrame(CCanvas& c, int frame) {
  const int bob = frame == 3 ? 2 : frame * 2;
  for (int row = 0; row < 10; ++row) {
    const int y = kKeyWaitRow + 6 + bob + row;
    const int x = frame * kKeyWait + 2 + row;
    c.Paint(x - 1, y, x + 21 - 2 * row, y + 1, 0xFF000000u);
    c.Paint(x, y, x + 19 - 2 * row, y + 1, 0xFFFFFFFFu);
  }
}

bool SystemImage(const fs::path& path) {
  CCanvas c(256, 128, nullptr, kLabelSize);
  for (int verb = 0; verb < kVerbs; ++verb) {
    const int cell = kFirstVerbCursor + verb;
    VerbCursor(c, (cell % 8) * kCursor, (cell / 8) * kCursor, kVerbColour[verb]);
  }
  for (int frame = 0; frame < 4; ++frame) KeyWaitFrame(c, frame);
  return c.Save(path);
}

bool WriteWindowArt(const fs::path& stageDir) {
  const fs::path window = stageDir / "system" / "window";
  fs::create_directories(window);
  const std::unique_ptr<IFontRasterizer> rasterizer = CreateFontRasterizer();
  return WindowPlate(window / "window.png") && ButtonSheet(window / "buttons.png", rasterizer.get()) &&
         PlainPlate(window / "date.png", 220, 40) && PlainPlate(window / "select.png", 520, 270) &&
         PlainPlate(window / "verb.png", 220, 40) && SystemImage(stageDir / "system" / "system.png") &&
         MenuArt(window, rasterizer.get());
}

const CSampleGenerator kWindowArtGenerator("message window art", WriteWindowArt);

}  // namespace

#include <gtest/gtest.h>

#include "TextTestSupport.h"
#include "io/TempDir.h"
#include "ui/DatePlate.h"
#include "ui/MessageText.h"
#include "ui/MessageWindow.h"

using texttest::CFakeMessageHost;

namespace {

constexpr uint32_t kScreen = 0xFF102030;

// A message window whose controls are flat colours of one sheet, so every drawn control shows
// by its colour: red plain buttons, green "（有効）" looks, blue "（有効・選択）" looks.
const char* const kWindow =
    "CONTROL\r\n NAME テキスト\r\n POS 20 100 260 180\r\nCONTROL END\r\n"
    "CONTROL\r\n NAME オート\r\n POS 0 0 10 10\r\n IMAGE sheet.png\r\n SRC 0 0\r\n ALPHA 100\r\nCONTROL "
    "END\r\n"
    "CONTROL\r\n NAME オート（有効）\r\n POS 0 0 10 10\r\n IMAGE sheet.png\r\n SRC 10 0\r\n ALPHA "
    "100\r\nCONTROL END\r\n"
    "CONTROL\r\n NAME オート（有効・選択）\r\n POS 0 0 10 10\r\n IMAGE sheet.png\r\n SRC 20 0\r\n ALPHA "
    "100\r\n"
    "CONTROL END\r\n"
    "CONTROL\r\n NAME スキップ\r\n POS 20 0 30 10\r\n IMAGE sheet.png\r\n SRC 0 0\r\n ALPHA 100\r\nCONTROL "
    "END\r\n"
    "CONTROL\r\n NAME ログ\r\n POS 40 0 50 10\r\n IMAGE sheet.png\r\n SRC 0 0\r\n ALPHA 100\r\nCONTROL "
    "END\r\n";

// Date digits: year units, month tens and units, the day as a whole number and the weekday.
const char* const kDate =
    "CONTROL\r\n NAME 年1\r\n POS 0 190 10 200\r\n IMAGE digits.png\r\n ALPHA 100\r\nCONTROL END\r\n"
    "CONTROL\r\n NAME 月2\r\n POS 20 190 30 200\r\n IMAGE digits.png\r\n ALPHA 100\r\nCONTROL END\r\n"
    "CONTROL\r\n NAME 月1\r\n POS 30 190 40 200\r\n IMAGE digits.png\r\n ALPHA 100\r\nCONTROL END\r\n"
    "CONTROL\r\n NAME 日\r\n POS 50 190 60 200\r\n IMAGE digits.png\r\n ALPHA 100\r\nCONTROL END\r\n"
    "CONTROL\r\n NAME 曜日\r\n POS 70 190 80 200\r\n IMAGE digits.png\r\n ALPHA 100\r\nCONTROL END\r\n";

const char* const kSelect = "CONTROL\r\n NAME 選択肢\r\n POS 40 40 240 160\r\nCONTROL END\r\n";
const char* const kSelect2 = "CONTROL\r\n NAME 選択肢\r\n POS 40 40 240 80\r\nCONTROL END\r\n";

class MessageWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<uint32_t> sheet(30 * 10);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 30; ++x) sheet[y * 30 + x] = x < 10 ? 0xFFFF0000 : x < 20 ? 0xFF00FF00 : 0xFF0000FF;
    ASSERT_TRUE(CPngWriter::Write("sheet.png", sheet.data(), 30, 10, 30, true));
    const std::vector<uint8_t> png = CTempDir::Read("sheet.png");
    // Ten digit cells of 10 x 10 whose red channel names the digit.
    std::vector<uint32_t> digits(100 * 10);
    for (int i = 0; i < 1000; ++i) digits[i] = 0xFF000000u | uint32_t((i % 100) / 10 * 20 + 10) << 16;
    ASSERT_TRUE(CPngWriter::Write("digits.png", digits.data(), 100, 10, 100, true));
    const std::vector<uint8_t> digitPng = CTempDir::Read("digits.png");
    texttest::LoadGame("ウィンドウ開閉時間,4\r\n",
                       {{"window\\window.scn", kWindow},
                        {"window\\sheet.png", std::string(png.begin(), png.end())},
                        {"window\\digits.png", std::string(digitPng.begin(), digitPng.end())},
                        {"window\\date.scn", kDate},
                        {"window\\select.scn", kSelect},
                        {"window\\select2.scn", kSelect2}});
    display.Init(nullptr, 280, 200, true);
    text.Reset();
    text.CreateFonts(rasterizer);
    text.SetWindowStyle(0);
    window.LoadLayouts();
    window.SetShown(true);
    settings::Config().SetValue(CPlayerConfig::kTextSpeed, 100);
  }
  void TearDown() override { CPackArchive::Instance().UnmountAll(); }
  void Frame(int x, int y) {
    display.MarkAllDirty();
    display.FillDirty(kScreen);
    window.Draw(x, y);
  }
  uint32_t At(int x, int y) const { return display.Pixels()[y * display.Width() + x]; }

  CTempDir dir;
  CDisplay display;
  texttest::CPatternRasterizer rasterizer;
  CFakeMessageHost host;
  CMessageText text{host, display};
  CMessageWindow window{host, text, display};
};

}  // namespace

TEST_F(MessageWindowTest, FormatDateReplacesEveryLetter) {
  EXPECT_EQ(CDatePlate::FormatDate("m月d日(w)", 2024, 0, 5, 0, 0, 0), "某月05日(？)");
  EXPECT_EQ(CDatePlate::FormatDate("m月d日(w)", 2024, 3, 0, 0, 0, 0), "03月某日(？)");
  EXPECT_EQ(CDatePlate::FormatDate("y/m/d w h:n:s", 2024, 7, 9, 8, 5, 3), "2024/07/09 火 08:05:03");
  EXPECT_EQ(CDatePlate::FormatDate("y", 7, 1, 1, 0, 0, 0), "0007");
  EXPECT_EQ(CDatePlate::FormatDate("H a A", 2000, 1, 1, 13, 0, 0), "01 PM 午後");
  EXPECT_EQ(CDatePlate::FormatDate("H a A", 2000, 1, 1, 11, 0, 0), "11 AM 午前");
  EXPECT_EQ(CDatePlate::FormatDate("H", 2000, 1, 1, 12, 0, 0), "00");
  // Trail bytes that look like letters are part of their character: "ソ" is 83 5C, "ャ" 83 83,
  // and "ｍ" (82 8D) is copied whole; a plain letter without meaning stays.
  EXPECT_EQ(CDatePlate::FormatDate("ソmｍxZ", 2000, 2, 1, 0, 0, 0), "ソ02ｍxZ");
}

TEST_F(MessageWindowTest, WeekdaysFollowTheCalendar) {
  EXPECT_EQ(CDatePlate::Weekday(2000, 1, 1), 6);  // a Saturday
  EXPECT_EQ(CDatePlate::Weekday(2024, 2, 29), 4);
  EXPECT_EQ(CDatePlate::Weekday(2024, 2, 31), CDatePlate::Weekday(2024, 3, 2));
  EXPECT_EQ(CDatePlate::Weekday(1900, 3, 1), 4);
  EXPECT_EQ(CDatePlate::Weekday(2000, 13, 1), -1);
  EXPECT_EQ(CDatePlate::Weekday(2000, 1, 32), -1);
  EXPECT_EQ(CDatePlate::Weekday(2000, 1, 0), -1);
  EXPECT_EQ(CDatePlate::FormatDate("w", 2000, 1, 2, 0, 0, 0), "日");
}

TEST_F(MessageWindowTest, WindowOpensOverTheWindowTimeAndJumpsWhileSkipping) {
  window.UpdateWindowLevels(3);
  EXPECT_EQ(window.Level().Value(), 3);
  window.UpdateWindowLevels(3);
  EXPECT_EQ(window.Level().Value(), 4);
  host.mode = 5;  // the click-region wait closes the window
  window.UpdateWindowLevels(1);
  EXPECT_EQ(window.Level().Value(), 3);
  host.mode = 0;
  window.SetShown(false);
  host.forcedSkip = true;
  window.UpdateWindowLevels(1);
  EXPECT_EQ(window.Level().Value(), 0);
}

TEST_F(MessageWindowTest, ButtonsShowHoverAndToggleLooks) {
  window.UpdateWindowLevels(10);
  host.mode = 2;
  Frame(100, 100);
  EXPECT_EQ(At(5, 5), kScreen);  // nothing hovered, nothing on
  Frame(5, 5);
  EXPECT_EQ(At(5, 5), 0xFFFF0000u);  // the plain control under the mouse
  host.autoMode = true;
  Frame(100, 100);
  EXPECT_EQ(At(5, 5), 0xFF00FF00u);
  Frame(5, 5);
  EXPECT_EQ(At(5, 5), 0xFF0000FFu);
  // A toggle without its own looks falls back to the plain control.
  host.skipMode = true;
  Frame(100, 100);
  EXPECT_EQ(At(25, 5), 0xFFFF0000u);
  // Under an open menu the mouse does not count.
  host.menuState = 1;
  host.autoMode = false;
  Frame(45, 5);
  EXPECT_EQ(At(45, 5), kScreen);
  EXPECT_EQ(window.ButtonAt(45, 5), CMessageWindow::kLog);
  EXPECT_EQ(window.ButtonAt(100, 100), -1);
}

TEST_F(MessageWindowTest, ButtonAvailabilityByMode) {
  window.UpdateWindowLevels(10);
  host.mode = 1;
  EXPECT_TRUE(window.IsButtonAvailable(CMessageWindow::kLog));
  EXPECT_TRUE(window.IsButtonAvailable(CMessageWindow::kLoad));
  EXPECT_FALSE(window.IsButtonAvailable(CMessageWindow::kSave));
  EXPECT_FALSE(window.IsButtonAvailable(CMessageWindow::kClose));
  host.mode = 3;
  EXPECT_TRUE(window.IsButtonAvailable(CMessageWindow::kSave));
  EXPECT_TRUE(window.IsButtonAvailable(CMessageWindow::kClose));
  host.replay = true;
  EXPECT_FALSE(window.IsButtonAvailable(CMessageWindow::kQuickSave));
  EXPECT_TRUE(window.IsButtonAvailable(CMessageWindow::kConfig));
  host.replay = false;
  host.forcedSkip = true;
  EXPECT_FALSE(window.IsButtonAvailable(CMessageWindow::kAuto));
  EXPECT_TRUE(window.IsButtonAvailable(CMessageWindow::kSkip));
  host.forcedSkip = false;
  host.demo = true;
  EXPECT_FALSE(window.IsButtonAvailable(CMessageWindow::kSkip));
  host.demo = false;
  host.mode = 14;
  EXPECT_FALSE(window.IsButtonAvailable(CMessageWindow::kLog));
  EXPECT_FALSE(window.IsButtonAvailable(9));
}

TEST_F(MessageWindowTest, HiddenWindowIsNotDrawnInWaits) {
  window.UpdateWindowLevels(10);
  host.autoMode = true;
  window.SetHiddenByPlayer(true);
  for (int mode : {2, 3, 4, 5}) {
    host.mode = mode;
    Frame(100, 100);
    EXPECT_EQ(At(5, 5), kScreen) << mode;
  }
  host.mode = 1;
  Frame(100, 100);
  EXPECT_EQ(At(5, 5), 0xFF00FF00u);
  host.menuState = 7;  // the backlog covers it
  window.SetHiddenByPlayer(false);
  Frame(100, 100);
  EXPECT_EQ(At(5, 5), kScreen);
}

TEST_F(MessageWindowTest, ChoicesUseTheLayoutOfTheirCount) {
  EXPECT_EQ(window.ChoicePlate().LayoutFor(2).GetControlRect("選択肢").bottom, 80);
  EXPECT_EQ(window.ChoicePlate().LayoutFor(4).GetControlRect("選択肢").bottom, 160);
  EXPECT_EQ(window.ChoicePlate().LayoutFor(12).GetControlRect("選択肢").bottom, 160);
  // Rows of 36 pixels centred in 40..160: the first starts at (200 - 108) / 2 = 46.
  EXPECT_EQ(window.ChoicePlate().RowAt(3, 36, 50, 45), -1);
  EXPECT_EQ(window.ChoicePlate().RowAt(3, 36, 50, 46), 0);
  EXPECT_EQ(window.ChoicePlate().RowAt(3, 36, 50, 118), 2);
  EXPECT_EQ(window.ChoicePlate().RowAt(3, 36, 50, 154), -1);
  EXPECT_EQ(window.ChoicePlate().RowAt(3, 36, 240, 50), -1);
}

TEST_F(MessageWindowTest, HoveredChoiceGetsTheHighlightBar) {
  host.mode = 4;
  host.choices = {{"はい", 10}, {"いいえ", 20}, {"たぶん", 30}};
  host.hover = 1;
  window.UpdateWindowLevels(10);
  ASSERT_TRUE(window.ChoicePlate().Level().IsFull(4));
  Frame(0, 0);
  // Row 1 spans 82..118; in the middle of the bar, away from the text, white at alpha 0xC0 over
  // the screen colour: c + ((0xFF - c) * 0xC1) >> 8 per channel of the fill.
  const uint32_t bar = At(230 - 20, 84);
  EXPECT_EQ(bar, 0xFFC3C7CBu);
  EXPECT_EQ(At(230 - 20, 80), kScreen);
  // The ramps fade to the screen colour at the ends.
  EXPECT_LT(At(41, 84) & 0xFF, bar & 0xFF);
}

TEST_F(MessageWindowTest, MouseMovesMarkTheButtonsTheyCrossAndTheCursorSquares) {
  display.ClearSpans();
  host.menuState = 1;
  window.MarkHoverDirty(5, 5, 100, 100);
  EXPECT_EQ(display.Span(5).left, 0);
  EXPECT_EQ(display.Span(5).right, 10);
  EXPECT_GE(display.Span(100).left, display.Span(100).right);  // no text area under a menu
  host.menuState = 0;
  host.mode = 5;
  window.MarkHoverDirty(5, 5, 100, 60);
  EXPECT_EQ(display.Span(100).left, 20);  // the text area
  EXPECT_EQ(display.Span(100).right, 260);
  EXPECT_EQ(display.Span(44).left, 84);  // 48 x 48 around the new cursor: 84..132, 44..92
  EXPECT_EQ(display.Span(44).right, 132);
  EXPECT_GE(display.Span(93).left, display.Span(93).right);
}

TEST_F(MessageWindowTest, DateDigitsAreCellsOfTheirSheets) {
  // The digit of cell d has red d * 20 + 10.
  const auto digitAt = [this](int x) { return ((At(x, 195) >> 16 & 0xFF) - 10) / 20; };
  host.clock = {};
  host.clock.year = 2027;
  host.clock.month = 11;
  host.clock.day = 3;  // a Wednesday
  window.DatePlate().SetShown(true);
  window.UpdateWindowLevels(10);
  Frame(0, 0);
  EXPECT_EQ(digitAt(5), 7);
  EXPECT_EQ(digitAt(25), 1);
  EXPECT_EQ(digitAt(35), 1);
  EXPECT_EQ(digitAt(55), 2);  // day 3 is cell 2
  EXPECT_EQ(digitAt(75), 3);
  // Month and day 0 show nothing, and no weekday.
  host.clock.month = 0;
  host.clock.day = 0;
  Frame(0, 0);
  EXPECT_EQ(At(35, 195), kScreen);
  EXPECT_EQ(At(55, 195), kScreen);
  EXPECT_EQ(At(75, 195), kScreen);
  EXPECT_EQ(digitAt(5), 7);
}

TEST_F(MessageWindowTest, ChoicePlateKeepsTheLayoutItOpenedWithWhileFadingOut) {
  host.mode = 4;
  host.choices = {{"はい", 10}, {"いいえ", 20}};
  window.UpdateWindowLevels(4);
  EXPECT_EQ(window.ChoicePlate().CurrentLayout().GetControlRect("選択肢").bottom, 80);
  // The choice is taken: the list is emptied when the mode ends, and the plate fades out.
  host.mode = 0;
  host.choices.clear();
  display.ClearSpans();
  window.UpdateWindowLevels(1);
  EXPECT_EQ(window.ChoicePlate().CurrentLayout().GetControlRect("選択肢").bottom, 80);
  EXPECT_EQ(display.Span(60).left, 40) << "select2.scn's place is redrawn";
  EXPECT_GE(display.Span(120).left, display.Span(120).right) << "select.scn was never shown";
  // Three entries next time: the plate opens with select.scn.
  host.mode = 4;
  host.choices = {{"a", 1}, {"b", 2}, {"c", 3}};
  window.UpdateWindowLevels(1);
  EXPECT_EQ(window.ChoicePlate().CurrentLayout().GetControlRect("選択肢").bottom, 160);
}

TEST_F(MessageWindowTest, KeyWaitStripIsMarkedBeforeItIsDrawnAndOnlyWhenItChanges) {
  // Four 24 x 24 frames at row 104 of the system image, each of its own colour.
  std::vector<uint32_t> strip(96 * 128, 0);
  for (int y = 104; y < 128; ++y)
    for (int x = 0; x < 96; ++x) strip[y * 96 + x] = 0xFF000000u | (0x40u << (x / 24 * 6));
  ASSERT_TRUE(CPngWriter::Write("system.png", strip.data(), 96, 128, 96, true));
  CSurface systemImage;
  ASSERT_TRUE(systemImage.Load("system.png"));
  window.SetSystemImage(&systemImage);
  text.AddText("あ", "", 100, -1);
  text.WaitClick(true, true);
  ASSERT_EQ(host.mode, 3);
  // Without "カーソル" the icon's bottom-right is that of "テキスト" (20 100 260 180).
  auto frame = [&](uint32_t milliseconds) {
    display.ClearSpans();
    window.MarkFrameChanges(milliseconds);
    const CDisplay::SSpan span = display.Span(170);
    display.FillDirty(kScreen);
    window.Draw(0, 0);
    return span;
  };
  EXPECT_EQ(frame(0).left, 236);
  EXPECT_EQ(At(240, 170), systemImage.Pixel(0, 110)) << "drawn in the frame it appears";
  EXPECT_GE(frame(150).left, 236 + 24) << "the same frame of the strip is not marked again";
  EXPECT_EQ(frame(210).right, 260);
  EXPECT_EQ(At(240, 170), systemImage.Pixel(30, 110));
  host.mode = 0;
  EXPECT_EQ(frame(220).left, 236) << "the icon's place is redrawn when it goes";
  EXPECT_EQ(At(240, 170), kScreen);
}

TEST(MessageWindowLayouts, ChoiceLayoutsThatAreNotThereAreNotAskedFor) {
  CTempDir dir;
  texttest::LoadGame("",
                     {{"window\\window.scn", kWindow}, {"window\\click.scn", ""}, {"window\\date.scn", ""}});
  CDisplay display;
  display.Init(nullptr, 280, 200, true);
  CFakeMessageHost host;
  CMessageText text{host, display};
  CMessageWindow window{host, text, display};
  testing::internal::CaptureStderr();
  window.LoadLayouts();
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(errors, "") << "no choice layout is reported missing";
  EXPECT_EQ(window.ChoicePlate().LayoutFor(2).ControlCount(), 0);
  CPackArchive::Instance().UnmountAll();
}

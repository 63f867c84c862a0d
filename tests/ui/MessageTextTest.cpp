#include <gtest/gtest.h>

#include "TextTestSupport.h"
#include "io/TempDir.h"
#include "ui/MessageText.h"

using texttest::CFakeMessageHost;

namespace {

// Text area 240 pixels wide: ten full-width characters of 24 pixels per line.
const char* const kWindow =
    "CONTROL\r\n"
    "  NAME テキスト\r\n"
    "  POS 100 400 340 560\r\n"
    "CONTROL END\r\n";

class MessageTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    texttest::LoadGame(
        "フォントサイズ,24\r\nフォント行間,36\r\n禁則文字,、。」\r\nフォント色,#FFFFFF\r\n既読テキストの色,#"
        "8080FF\r\n",
        {{"window\\window.scn", kWindow}});
    display.Init(nullptr, 800, 600, true);
    text.Reset();
    ASSERT_TRUE(text.CreateFonts(rasterizer));
    text.SetWindowStyle(0);
    SetSpeed(100);
  }
  void TearDown() override { CPackArchive::Instance().UnmountAll(); }

  static void SetSpeed(int speed) { settings::Config().SetValue(CPlayerConfig::kTextSpeed, speed); }
  void Add(const std::string& piece, int32_t size = 100, const std::string& ruby = "") {
    text.AddText(piece, ruby, size, -1);
  }
  // Adds each character of a string as its own piece, as the script does.
  void AddEach(const std::string& characters) {
    for (size_t pos = 0, length = 0; pos < characters.size(); pos += length) {
      CTextFont::NextCharacter(characters, pos, length);
      Add(characters.substr(pos, length));
    }
  }
  std::string Line(int index) const {
    std::string s;
    for (const CTextPiece& piece : text.Page().lines[index]) s += piece.text;
    return s;
  }
  // Fills the page with text, then waits for a click with a new page and clicks.
  void FinishPage(const std::string& characters) {
    AddEach(characters);
    text.WaitClick(true, true);
    ASSERT_EQ(host.mode, 3);
    ASSERT_TRUE(text.OnConfirm());
  }

  CTempDir dir;
  CDisplay display;
  texttest::CPatternRasterizer rasterizer;
  CFakeMessageHost host;
  CMessageText text{host, display};
};

}  // namespace

TEST_F(MessageTextTest, WrapsAtTheRightEdgeAndLetsKinsokuOverhang) {
  AddEach("あいうえおかきくけこさ");
  EXPECT_EQ(Line(0), "あいうえおかきくけこ");
  EXPECT_EQ(Line(1), "さ");
  // A kinsoku character at the edge stays on the line; the next one wraps.
  text.NewPage(false);
  AddEach("あいうえおかきくけこ。」し");
  EXPECT_EQ(Line(0), "あいうえおかきくけこ。」");
  EXPECT_EQ(Line(1), "し");
  // Half-width pieces count half: twenty letters fill a line exactly.
  text.NewPage(false);
  AddEach("abcdefghijklmnopqrstu");
  EXPECT_EQ(Line(0), "abcdefghijklmnopqrst");
  EXPECT_EQ(Line(1), "u");
}

TEST_F(MessageTextTest, ControlPiecesAndRepeatedLineFeeds) {
  AddEach("あ\n\n\tい\r");
  Add("");
  Add("\n");
  AddEach("う");
  EXPECT_EQ(Line(0), "あ");
  EXPECT_EQ(Line(1), "い");
  EXPECT_EQ(Line(2), "う");
  EXPECT_EQ(text.Page().Text(), "あ\nい\nう");
  // A line feed on an empty line makes no empty line.
  text.NewPage(false);
  Add("\n");
  AddEach("え");
  EXPECT_EQ(Line(0), "え");
}

TEST_F(MessageTextTest, LinePitchFollowsTheLargestSizeOfEachLine) {
  Add("あ", 50);
  Add("い", 200);
  Add("\n");
  Add("う", 75);
  Add("\n");
  Add("え");
  const CMessagePage& page = text.Page();
  EXPECT_EQ(page.LineTop(1, 400, 36), 400 + 72);
  EXPECT_EQ(page.LineTop(2, 400, 36), 400 + 72 + 27);
  // Widths by size class: 12 + 48 on the first line.
  EXPECT_EQ(CMessagePage::LineWidth(page.lines[0], text.Fonts()), 60);
}

TEST_F(MessageTextTest, LayingOutMarksThePieceAndItsRubyForRedraw) {
  display.ClearSpans();
  Add("漢", 100, "かんじ");
  // Piece at (100, 400): 24 wide, 24 high, plus 2. Ruby of three 12-pixel characters centred:
  // rx = 100 - (36 - 24) / 2 = 94, from y - 12 to y + 2.
  EXPECT_EQ(display.Span(388).left, 94);
  EXPECT_EQ(display.Span(388).right, 94 + 36 + 2);
  EXPECT_EQ(display.Span(425).left, 100);
  EXPECT_EQ(display.Span(425).right, 126);
  EXPECT_GE(display.Span(426).left, display.Span(426).right);
}

TEST_F(MessageTextTest, ThirtyThreeLinesKeepThirtyTwo) {
  for (int i = 0; i < 33; ++i) {
    AddEach(i == 32 ? "ん" : "あ");
    Add("\n");
  }
  EXPECT_EQ(Line(31), "あ");
  EXPECT_EQ(text.LineIndex(), 32);
  std::string expected;
  for (int i = 0; i < 32; ++i) expected += i ? "\nあ" : "あ";
  EXPECT_EQ(text.Page().Text(), expected);
  text.WaitClick(true, true);
  text.OnConfirm();
  ASSERT_EQ(text.Backlog().size(), 1u);
  EXPECT_EQ(text.Backlog().back().Text(), expected);
}

TEST_F(MessageTextTest, WrapOnTheLastLineDropsTheRestOfThePage) {
  for (int i = 0; i < 31; ++i) {
    AddEach("あ");
    Add("\n");
  }
  AddEach("あいうえおかきくけこさしす");
  EXPECT_EQ(Line(31), "あいうえおかきくけこ");
  AddEach("せ");
  EXPECT_EQ(Line(31), "あいうえおかきくけこ");
}

TEST_F(MessageTextTest, RevealDelaysForTheSpeedSettings) {
  text.SetRevealFactor(3);
  SetSpeed(0);
  EXPECT_EQ(text.RevealDelay(), 6);
  SetSpeed(50);
  EXPECT_EQ(text.RevealDelay(), 3);
  SetSpeed(99);
  text.SetRevealFactor(1);
  EXPECT_EQ(text.RevealDelay(), 1);  // (1 + 49) / 50
  SetSpeed(100);
  EXPECT_EQ(text.RevealDelay(), 1);  // never below one tick
  text.SetRevealFactor(3);
  SetSpeed(0);
  // The first piece of a line shows at once; the next waits in mode 1 for the delay.
  Add("あ");
  EXPECT_EQ(host.mode, 0);
  EXPECT_EQ(Line(0), "あ");
  Add("い");
  EXPECT_EQ(host.mode, 1);
  EXPECT_EQ(host.waitLength, 6);
  EXPECT_EQ(Line(0), "あ");
  EXPECT_TRUE(text.LayOutNextPiece());
  EXPECT_EQ(Line(0), "あい");
  EXPECT_FALSE(text.LayOutNextPiece());
}

TEST_F(MessageTextTest, FactorZeroOrFullSpeedShowsEverythingAtOnce) {
  SetSpeed(0);
  text.SetRevealFactor(0);
  AddEach("あいう");
  EXPECT_EQ(Line(0), "あいう");
  EXPECT_TRUE(host.modes.empty());
  text.SetRevealFactor(3);
  SetSpeed(100);
  AddEach("え");
  EXPECT_EQ(Line(0), "あいうえ");
}

TEST_F(MessageTextTest, ClickDuringRevealCompletesThePage) {
  SetSpeed(0);
  Add("あ");
  Add("い");
  ASSERT_EQ(host.mode, 1);
  EXPECT_TRUE(text.OnConfirm());
  EXPECT_EQ(host.mode, 0);
  EXPECT_EQ(Line(0), "あい");
  EXPECT_TRUE(text.IsCompletionRequested());
  Add("う");
  EXPECT_EQ(host.mode, 0);
  EXPECT_EQ(Line(0), "あいう");
  // The click wait ends the completion.
  text.WaitClick(false, true);
  EXPECT_FALSE(text.IsCompletionRequested());
  EXPECT_TRUE(text.ShowsKeyWaitIcon());
  Add("え");
  EXPECT_EQ(host.mode, 1);
}

TEST_F(MessageTextTest, ClickWaitWithNewPageStoresAndMarksThePage) {
  text.WaitClick(true, true);
  EXPECT_TRUE(host.modes.empty());  // an empty page does not wait
  host.command = 7;
  text.NewPage(false);
  text.SetSpeaker("名前");
  text.SetVoice("voice01.ogg");
  AddEach("あ");
  EXPECT_FALSE(text.IsPageRead());
  text.WaitClick(true, true);
  EXPECT_EQ(host.mode, 3);
  host.command = 9;
  EXPECT_TRUE(text.OnConfirm());
  EXPECT_EQ(host.mode, 0);
  EXPECT_FALSE(text.ShowsKeyWaitIcon());
  ASSERT_EQ(text.Backlog().size(), 1u);
  EXPECT_EQ(text.Backlog()[0].speaker, "名前");
  EXPECT_EQ(text.Backlog()[0].voice, "voice01.ogg");
  EXPECT_TRUE(text.Page().voice.empty());
  EXPECT_FALSE(text.Page().HasText());
  EXPECT_TRUE(text.IsRead(7));
  EXPECT_EQ(text.MessageNumber(), 9);
  // A click wait without a new page keeps the page.
  AddEach("い");
  text.WaitClick(false, false);
  EXPECT_EQ(host.mode, 2);
  text.OnConfirm();
  EXPECT_EQ(Line(0), "い");
  EXPECT_FALSE(text.OnConfirm());  // mode 0: nothing to confirm
}

TEST_F(MessageTextTest, BacklogKeepsTheLastHundredPages) {
  for (int i = 0; i < 101; ++i) FinishPage(i == 0 ? "あ" : i == 1 ? "い" : "う");
  ASSERT_EQ(text.Backlog().size(), 100u);
  EXPECT_EQ(text.Backlog().front().Text(), "い");
  text.StorePage();  // an empty page is not stored
  EXPECT_EQ(text.Backlog().size(), 100u);
  text.SetWindowStyle(0);  // the same style keeps the backlog
  EXPECT_EQ(text.Backlog().size(), 100u);
  text.SetWindowStyle(1);
  EXPECT_TRUE(text.Backlog().empty());
}

TEST_F(MessageTextTest, FirstPageOfAnotherScriptTakesItsOwnNumber) {
  host.command = 40;
  FinishPage("あ");
  EXPECT_TRUE(text.IsRead(40));
  host.script = "scenario\\other.adv";
  host.command = 3;
  AddEach("い");
  EXPECT_EQ(text.MessageNumber(), 3);
  EXPECT_FALSE(text.IsPageRead());
}

TEST_F(MessageTextTest, ReadFlagsGrowPastThirtyTwoBits) {
  CReadFlags flags;
  EXPECT_FALSE(flags.IsRead("a", 0));
  flags.MarkRead("a", 5);
  EXPECT_EQ(flags.Capacity("a"), 32);
  flags.MarkRead("a", 100);
  EXPECT_EQ(flags.Capacity("a"), 128);
  EXPECT_TRUE(flags.IsRead("a", 5));
  EXPECT_TRUE(flags.IsRead("a", 100));
  EXPECT_FALSE(flags.IsRead("a", 99));
  EXPECT_FALSE(flags.IsRead("a", 128));
  EXPECT_FALSE(flags.IsRead("b", 5));
  EXPECT_EQ(flags.Arrays().at("a")[100 / 8], 1 << (100 % 8));
  flags.MarkRead("a", -1);
  flags.MarkRead("a", CReadFlags::kMaxMessages);
  EXPECT_EQ(flags.Capacity("a"), 128);
  EXPECT_FALSE(flags.IsRead("a", -1));
  flags.SetArray("c", {0x01, 0x80, 0x00, 0x00, 0x02});
  EXPECT_EQ(flags.Capacity("c"), 64);
  EXPECT_TRUE(flags.IsRead("c", 0));
  EXPECT_TRUE(flags.IsRead("c", 15));
  EXPECT_TRUE(flags.IsRead("c", 33));
}

TEST_F(MessageTextTest, SkippingIsDecidedInItsOrder) {
  host.command = 1;
  FinishPage("あ");  // message 1 is read
  host.command = 1;
  text.NewPage(false);
  ASSERT_TRUE(text.IsPageRead());
  EXPECT_FALSE(text.IsSkipping());
  host.skipMode = true;
  EXPECT_TRUE(text.IsSkipping());
  host.opening = true;
  EXPECT_FALSE(text.IsSkipping());
  host.opening = false;
  host.demo = true;
  EXPECT_FALSE(text.IsSkipping());
  host.demo = false;
  host.mode = 4;
  host.forcedSkip = true;
  EXPECT_FALSE(text.IsSkipping());  // choices and regions are never skipped, not even forced
  host.mode = 5;
  EXPECT_FALSE(text.IsSkipping());
  host.mode = 0;
  host.screenMode = true;
  EXPECT_FALSE(text.IsSkipping());
  host.screenMode = false;
  host.skipMode = false;
  EXPECT_TRUE(text.IsSkipping());  // the forced marker wins over everything below
  text.WaitTime(10, true);
  EXPECT_TRUE(text.IsSkipping());
  host.forcedSkip = false;
  host.skipMode = true;
  EXPECT_FALSE(text.IsSkipping());  // a wait that always runs is never skipped
  host.mode = 0;
  // Unread text: Ctrl or the skip toggle skip it only with "全てスキップ".
  host.skipMode = false;
  host.control = true;
  EXPECT_TRUE(text.IsSkipping());
  host.command = 2;
  text.NewPage(false);
  EXPECT_FALSE(text.IsSkipping());
  settings::Config().SetValue(CPlayerConfig::kSkipMode, 1);
  EXPECT_TRUE(text.IsSkipping());
  settings::Config().SetValue(CPlayerConfig::kSkipMode, 0);
}

TEST_F(MessageTextTest, CompletionSkipsWaitsOnlyWithWaitCancel) {
  SetSpeed(0);
  Add("あ");
  Add("い");
  text.OnConfirm();
  EXPECT_FALSE(text.IsSkipping());
  texttest::LoadGame("ウェイトのキャンセル,あり\r\n", {{"window\\window.scn", kWindow}});
  text.Reset();
  SetSpeed(0);
  Add("あ");
  Add("い");
  text.OnConfirm();
  EXPECT_TRUE(text.IsSkipping());
}

TEST_F(MessageTextTest, TimedWaitsWhileSkippingAndInDemoMode) {
  host.forcedSkip = true;
  text.WaitTime(10, false);
  EXPECT_TRUE(host.modes.empty());
  text.WaitTime(10, true);
  EXPECT_EQ(host.mode, 11);
  EXPECT_EQ(host.waitLength, 10);
  host.forcedSkip = false;
  host.mode = 0;
  host.demo = true;
  host.lostTicks = 3;
  text.WaitTime(10, false);
  EXPECT_EQ(host.waitLength, 7);
  EXPECT_EQ(host.lostTicks, 0);
  host.lostTicks = 8;
  text.WaitTime(10, false);
  EXPECT_EQ(host.waitLength, 5);
  EXPECT_EQ(host.lostTicks, 3);
  host.modes.clear();
  text.WaitTime(0, false);
  EXPECT_TRUE(host.modes.empty());
}

TEST_F(MessageTextTest, ReadTextUsesItsColourWhenShown) {
  host.command = 4;
  FinishPage("あ");
  host.command = 4;
  text.NewPage(false);
  EXPECT_EQ(text.DefaultColour(), 0xFF8080FFu);
  settings::Config().SetValue(CPlayerConfig::kReadMark, 0);
  EXPECT_EQ(text.DefaultColour(), 0xFFFFFFFFu);
  settings::Config().SetValue(CPlayerConfig::kReadMark, 1);
  host.command = 5;
  text.NewPage(false);
  EXPECT_EQ(text.DefaultColour(), 0xFFFFFFFFu);
}

TEST_F(MessageTextTest, ScriptColoursAreColorRefs) {
  EXPECT_EQ(CTextPiece::ColourFromColorRef(-1), 0u);
  EXPECT_EQ(CTextPiece::ColourFromColorRef(0x0000FF), 0xFFFF0000u);
  EXPECT_EQ(CTextPiece::ColourFromColorRef(0xFF0000), 0xFF0000FFu);
  EXPECT_EQ(CTextPiece::ColourFromColorRef(0), 0xFF000000u);
  text.AddText("あ", "", 100, 0x00FF00);
  EXPECT_EQ(text.Page().lines[0][0].colour, 0xFF00FF00u);
}

TEST_F(MessageTextTest, APieceWiderThanTheAreaStaysOnItsLine) {
  Add("あいうえおかきくけこさしすせそ");  // one piece of fifteen characters, wider than the area
  Add("た");
  EXPECT_EQ(Line(0), "あいうえおかきくけこさしすせそ");
  EXPECT_EQ(Line(1), "た");
  EXPECT_TRUE(text.Page().lines[2].empty());
}

TEST_F(MessageTextTest, WithoutATextAreaNothingWraps) {
  texttest::LoadGame("フォントサイズ,24\r\n", {});
  CMessageText bare{host, display};
  bare.Reset();
  ASSERT_TRUE(bare.CreateFonts(rasterizer));
  bare.SetWindowStyle(0);
  ASSERT_TRUE(bare.TextArea().IsEmpty());
  for (const char* piece : {"あ", "い", "う", "え", "お", "か", "き", "く", "け", "こ", "さ", "\n", "な"})
    bare.AddText(piece, "", 100, -1);
  while (bare.LayOutNextPiece()) {
  }
  EXPECT_EQ(bare.Page().Text(), "あいうえおかきくけこさ\nな");
}

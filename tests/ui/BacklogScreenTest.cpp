// The backlog over layouts of five rows (with and without a scroll bar) and of a single row, filled
// with pages through the message text as the scenario fills it; the engine is a recording fake.
#include "MenuScreenFixture.h"
#include "platform/VirtualKeys.h"
#include "ui/BacklogHost.h"
#include "ui/BacklogScreen.h"

using menutest::Control;

namespace {

class CFakeBacklogHost : public IBacklogHost {
 public:
  void PlayVoice(const std::string& name) override { played.push_back(name); }
  SPoint GetCursorPos() override { return cursor; }
  void SetCapture(bool value) override { captured = value; }

  std::vector<std::string> played;
  SPoint cursor{0, 0};
  bool captured = false;
};

// Rows 40 pixels high from y 20; the scroll bar 20 wide from y 20 to 220: arrow boxes of 20, a track
// of 160.
std::string FiveRows(bool scrollBar) {
  std::string text;
  for (int r = 0; r < 5; ++r) {
    const int top = 20 + 40 * r;
    text += Control("ログ" + std::to_string(r), 10, top, 350, top + 40) +
            Control("名前" + std::to_string(r), 20, top, 100, top + 20) +
            Control("テキスト" + std::to_string(r), 100, top, 340, top + 40) +
            Control("ボイス" + std::to_string(r), 12, top + 22, 18, top + 28, "mark.png");
  }
  return scrollBar ? text + Control("スクロール", 370, 20, 390, 220) : text;
}

class BacklogScreenTest : public menutest::CMenuScreenTest {
 protected:
  void Start(const std::string& layout) {
    StartGame("", {{"log\\bg.scn", layout}, {"log\\mark.png", menutest::FlatPng(6, 6, 0xFFFFFF00u)}});
    settings::Config().SetValue(CPlayerConfig::kTextSpeed, 100);
    menu.SetScreen(CMenuLayer::kBacklog, &screen);
  }
  // Stores n pages, every third with a voice, as click waits with a new page do.
  void AddPages(int n) {
    for (int i = 0; i < n; ++i) {
      text.SetSpeaker("ゆき");
      text.AddText("ページ" + std::to_string(i), "", 100, 0);
      text.SetVoice(i % 3 == 0 ? "voice\\v" + std::to_string(i) + ".ogg" : "");
      text.NewPage(true);
    }
  }
  bool Highlighted(int x, int y) const { return (At(x, y) & 0xFF) > 0 && (At(x, y) >> 16 & 0xFF) == 0; }

  CFakeBacklogHost host;
  CBacklogScreen screen{host, display, menu, text};
};

}  // namespace

TEST_F(BacklogScreenTest, AnEmptyBacklogShowsNoRowsAndAFirstDownCloses) {
  Start(FiveRows(true));
  Open(CMenuLayer::kBacklog);
  EXPECT_EQ(screen.Selected(), -1);
  EXPECT_EQ(screen.Rows(), 5);
  DrawFrame(-1, -1, true);
  EXPECT_EQ(At(380, 100) & 0xFFFFFF, 0u) << "no scroll bar";
  screen.OnKeyDown(vk::kUp, true);
  EXPECT_EQ(screen.Selected(), -1);
  screen.OnConfirm();
  EXPECT_TRUE(host.played.empty());
  screen.OnKeyDown(vk::kDown, false);
  EXPECT_EQ(menu.State(), CMenuLayer::kBacklog) << "a held key does not close it";
  screen.OnKeyDown(vk::kDown, true);
  EXPECT_EQ(menu.State(), CMenuLayer::kNone);
  EXPECT_EQ(menuHost.voiceStops, 1) << "leaving stops the voice";
}

TEST_F(BacklogScreenTest, ThreePagesInFiveRowsDrawNoScrollBarAndLeaveTheLastRowsEmpty) {
  Start(FiveRows(true));
  AddPages(3);
  Open(CMenuLayer::kBacklog);
  EXPECT_EQ(screen.First(), 0);
  EXPECT_EQ(screen.Selected(), 2);
  DrawFrame(-1, -1, true);
  EXPECT_EQ(At(380, 120) & 0xFFFFFF, 0u) << "no scroll bar";
  EXPECT_EQ(At(15, 45), 0xFFFFFF00u) << "page 0 has a voice mark";
  EXPECT_EQ(At(15, 85) & 0xFFFFFF, 0u) << "page 1 has none";
  EXPECT_TRUE(Highlighted(50, 135)) << "the newest page is selected";
  EXPECT_FALSE(Highlighted(50, 95));
  for (int y = 140; y < 220; ++y)
    for (int x = 0; x < 400; ++x) ASSERT_EQ(At(x, y) & 0xFFFFFF, 0u) << x << "," << y;
}

TEST_F(BacklogScreenTest, HoldingDownStopsAtTheNewestPage) {
  Start(FiveRows(true));
  AddPages(8);
  Open(CMenuLayer::kBacklog);
  EXPECT_EQ(screen.First(), 3);
  for (int i = 0; i < 4; ++i) screen.OnKeyDown(vk::kUp, i == 0);
  EXPECT_EQ(screen.Selected(), 3);
  EXPECT_EQ(screen.First(), 3);
  screen.OnKeyDown(vk::kUp, false);
  EXPECT_EQ(screen.Selected(), 2);
  EXPECT_EQ(screen.First(), 2) << "the selection stays in view";
  for (int i = 0; i < 10; ++i) screen.OnKeyDown(vk::kDown, i == 0);
  EXPECT_EQ(screen.Selected(), 7);
  EXPECT_EQ(screen.First(), 3);
  EXPECT_EQ(menu.State(), CMenuLayer::kBacklog);
  screen.OnKeyDown(vk::kDown, true);
  EXPECT_EQ(menu.State(), CMenuLayer::kNone);
}

TEST_F(BacklogScreenTest, ASingleRowLayoutDrawsNoHighlight) {
  Start(Control("ログ0", 10, 20, 350, 60) + Control("テキスト0", 100, 20, 340, 60));
  AddPages(2);
  Open(CMenuLayer::kBacklog);
  EXPECT_EQ(screen.Rows(), 1);
  EXPECT_EQ(screen.First(), 1);
  DrawFrame(-1, -1, true);
  EXPECT_FALSE(Highlighted(50, 40));
}

TEST_F(BacklogScreenTest, TheScrollBarStepsJumpsAndDragsOverTheTrack) {
  Start(FiveRows(true));
  AddPages(20);
  Open(CMenuLayer::kBacklog);
  ASSERT_EQ(screen.First(), 15);
  DrawFrame(-1, -1, true);
  // Thumb: 160 x 15 / 20 = 120 to 160 x 20 / 20 = 160 below the up box.
  EXPECT_EQ(At(380, 40 + 125), 0xFFC0C0C0u);
  const uint32_t track = At(380, 40 + 115) >> 8 & 0xFF;
  EXPECT_TRUE(track > 0x50 && track < 0x70) << "the track, half transparent over black: " << track;
  screen.OnLButtonDown(380, 25);
  EXPECT_EQ(screen.First(), 14) << "up box";
  screen.OnLButtonDown(380, 215);
  EXPECT_EQ(screen.First(), 15) << "down box";
  screen.OnLButtonDown(380, 50);
  EXPECT_EQ(screen.First(), 11) << "above the thumb: a page up, one row kept";
  screen.OnLButtonDown(380, 50);
  screen.OnLButtonDown(380, 50);
  screen.OnLButtonDown(380, 50);
  EXPECT_EQ(screen.First(), 0) << "less than a page above: the top";
  screen.OnLButtonDown(380, 190);
  EXPECT_EQ(screen.First(), 4) << "below the thumb";
  // The thumb spans 72 to 112: drag it by 40 pixels, five pages.
  screen.OnLButtonDown(380, 40 + 40);
  EXPECT_TRUE(host.captured);
  screen.OnMouseMove(0, 40 + 80);
  EXPECT_EQ(screen.First(), 9);
  screen.OnMouseMove(0, 300);
  EXPECT_EQ(screen.First(), 15) << "clamped to the last page";
  screen.OnKeyDown(vk::kUp, true);
  EXPECT_EQ(screen.Selected(), 19) << "keys wait while the thumb is dragged";
  EXPECT_TRUE(screen.OnCancel()) << "back only ends the drag";
  EXPECT_FALSE(host.captured);
  EXPECT_EQ(menu.State(), CMenuLayer::kBacklog);
}

TEST_F(BacklogScreenTest, TheWheelScrollsAndABackwardNotchAtTheEndCloses) {
  Start(FiveRows(true));
  AddPages(9);
  Open(CMenuLayer::kBacklog);
  host.cursor = {50, 30};
  screen.OnMouseWheel(2);
  EXPECT_EQ(screen.First(), 2);
  EXPECT_EQ(screen.Selected(), 2) << "the hover runs again at the cursor";
  screen.OnMouseWheel(-1);
  EXPECT_EQ(screen.First(), 3);
  EXPECT_EQ(menu.State(), CMenuLayer::kBacklog);
  screen.OnMouseWheel(-1);
  EXPECT_EQ(screen.First(), 4);
  screen.OnMouseWheel(-1);
  EXPECT_EQ(menu.State(), CMenuLayer::kNone);
}

TEST_F(BacklogScreenTest, ConfirmingTheSelectedRowReplaysItsVoice) {
  Start(FiveRows(true));
  AddPages(4);
  Open(CMenuLayer::kBacklog);
  screen.OnMouseMove(50, 30);
  EXPECT_EQ(screen.Selected(), 0);
  screen.OnLButtonDown(50, 70);
  EXPECT_TRUE(host.played.empty()) << "a click on another row does not play";
  screen.OnLButtonDown(50, 30);
  EXPECT_EQ(host.played, (std::vector<std::string>{"voice\\v0.ogg"}));
  screen.OnMouseMove(50, 70);
  screen.OnKeyDown(vk::kReturn, true);
  EXPECT_EQ(host.played.size(), 1u) << "page 1 has no voice";
  screen.OnKeyDown(vk::kDown, true);
  screen.OnKeyDown(vk::kDown, true);
  screen.OnKeyDown(vk::kSpace, true);
  EXPECT_EQ(host.played.back(), "voice\\v3.ogg");
}

// The music room: playing, stopping and stepping through the unlocked tracks across pages, the
// track list with its scroll bar, and the music that outlives the room.
#include "ExtrasTestGame.h"
#include "modes/MusicRoomMode.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"
#include "ui/MessageText.h"

namespace {

constexpr int32_t kFade = 2;
constexpr uint32_t kPicture = 0xFFF0A040u;
constexpr int kRow = 20;

class MusicRoomModeTest : public CExtrasTestGame {
 protected:
  void SetUp() override {
    AddFolderArt("music", "mu_blank.bmp");
    AddSolidImage("music\\p.png", 40, 30, kPicture);
  }
  // count tracks "bgm\m%d.ogg", the listed ones unlocked, in a layout with the given extra controls.
  void UseRoom(const std::string& controls, int count, const std::vector<int>& unlocked) {
    AddSystemFile("music\\bg.scn",
                  "BG bg.png\n" + controls + Buttons() + Control("再生", 300, 400, 360, 440) +
                      Control("停止", 370, 400, 430, 440) + Control("前の曲", 440, 400, 500, 440) +
                      Control("次の曲", 510, 400, 570, 440) + Control("画像", 600, 200, 760, 320));
    std::string list = "タイトル,ファイル,サムネイル,画像\n";
    for (int i = 0; i < count; ++i)
      list += "曲" + std::to_string(i) + ",bgm\\m" + std::to_string(i) +
              ".ogg,system\\music\\t.png,system\\music\\p.png\n";
    AddSystemFile("music\\list.csv", list);
    UseSettings("フェード時間," + std::to_string(kFade) + "\nフォントサイズ," + std::to_string(kRow) +
                "\nタイトルBGM,bgm\\title.ogg\n");
    if (IFontRasterizer* fonts = platform.Fonts()) game.Text().CreateFonts(*fonts);
    for (int i : unlocked) settings::Extras().Music()[size_t(i)].unlocked = true;
    room =
        std::unique_ptr<CMusicRoomMode>(static_cast<CMusicRoomMode*>(CMusicRoomMode::Create(game).release()));
    ASSERT_TRUE(room);
    for (int i = 0; i <= kFade; ++i) room->Update(1, 0, 0);
    ASSERT_EQ(room->Phase(), CMusicRoomMode::kGrid);
    requested.clear();
  }
  void Click(int x, int y) {
    room->OnMouseMove(0, x, y);
    room->OnLButtonDown(0, x, y);
    room->OnLButtonUp(0, x, y);
  }
  static constexpr int kPlay = 310, kStop = 380, kPrevious = 450, kNext = 520, kButtonsY = 420;

  std::unique_ptr<CMusicRoomMode> room;
};

TEST_F(MusicRoomModeTest, TheNextTrackAtTheEndOfAPageTurnsThePageAndPlaysItsFirstUnlockedEntry) {
  UseRoom(Slots(2), 5, {0, 1, 3});
  EXPECT_TRUE(game.Sound().Registry().empty()) << "the room starts silent";
  room->OnMouseMove(0, 270, 140);
  ASSERT_EQ(room->Selected(), 1);
  Click(kNext, kButtonsY);
  EXPECT_EQ(room->Playing(), 3) << "the locked third track is passed over";
  EXPECT_EQ(room->Grid().Page(), 1);
  EXPECT_EQ(room->Grid().Slot(), 1);
  EXPECT_EQ(requested, std::vector<std::string>{"bgm\\m3.ogg"});
  DrawChecked(*room);
  EXPECT_EQ(At(680, 260), kPicture) << "the track's picture";
  Click(kNext, kButtonsY);
  EXPECT_EQ(room->Playing(), 0) << "the walk wraps to the first track";
  EXPECT_EQ(room->Grid().Page(), 0);
  Click(kPrevious, kButtonsY);
  EXPECT_EQ(room->Playing(), 3);
}

TEST_F(MusicRoomModeTest, WithOneUnlockedTrackPreviousAndNextDoNothing) {
  UseRoom(Slots(2), 4, {2});
  room->OnKeyDown(vk::kRight, 0, 0);
  room->OnKeyDown(vk::kRight, 0, 0);
  ASSERT_EQ(room->Selected(), 2);
  Click(kNext, kButtonsY);
  Click(kPrevious, kButtonsY);
  EXPECT_EQ(room->Playing(), -1);
  EXPECT_TRUE(requested.empty());
  room->OnKeyDown(vk::kLeft, 0, 0);
  room->OnKeyDown(vk::kReturn, 0, 0);
  EXPECT_EQ(room->Playing(), -1) << "a locked track does not play";
}

TEST_F(MusicRoomModeTest, StopThenPlayRestartsTheTrackAndTheMusicOutlivesTheRoom) {
  UseRoom(Slots(2), 2, {0, 1});
  Click(kPlay, kButtonsY);
  Click(kPlay, kButtonsY);
  EXPECT_EQ(requested, std::vector<std::string>{"bgm\\m0.ogg"}) << "playing the track that plays goes on";
  Click(kStop, kButtonsY);
  EXPECT_EQ(room->Playing(), -1);
  EXPECT_TRUE(room->Picture().IsEmpty());
  DrawChecked(*room);
  EXPECT_EQ(At(680, 260), kScreenBackground);
  Click(kPlay, kButtonsY);
  EXPECT_EQ(requested, (std::vector<std::string>{"bgm\\m0.ogg", "bgm\\m0.ogg"}));

  game.SetMode(CGameSystem::kModeMusicRoom);
  CScreenMode* engineRoom = game.ScreenMode();
  ASSERT_TRUE(engineRoom);
  for (int i = 0; i <= kFade; ++i) engineRoom->Update(1, 0, 0);
  engineRoom->OnKeyDown(vk::kEscape, 0, 0);
  for (int i = 0; i < kFade; ++i) engineRoom->Update(1, 0, 0);
  EXPECT_EQ(game.Sound().Registry().at(CSoundSystem::kMusicChannel), "bgm\\m0.ogg")
      << "still playing, faded out";
  engineRoom->Update(1, 0, 0);
  EXPECT_EQ(game.Mode(), CGameSystem::kModeTitle);
  EXPECT_EQ(game.Sound().Registry().at(CSoundSystem::kMusicChannel), "bgm\\title.ogg") << "the title's own";
}

TEST_F(MusicRoomModeTest, TheListAloneScrollsWithItsBarAndPlaysTheClickedRow) {
  // Four rows of the 100 % font; seven tracks, so the scroll bar takes the last 20 pixels.
  UseRoom(Control("ファイル", 100, 100, 400, 100 + 4 * kRow), 7, {0, 1, 2, 3, 4, 5, 6});
  ASSERT_EQ(room->Grid().Slots(), 0);
  ASSERT_EQ(room->List().Rows(), 4);
  ASSERT_TRUE(room->List().HasScrollBar());
  for (int i = 0; i < 5; ++i) room->OnKeyDown(vk::kDown, 0, 0);
  EXPECT_EQ(room->Selected(), 5);
  EXPECT_EQ(room->List().First(), 2) << "the selection is kept in view";
  for (int i = 0; i < 9; ++i) room->OnKeyDown(vk::kDown, 0, 0);
  EXPECT_EQ(room->Selected(), 6) << "the list ends at its last entry";
  DrawChecked(*room);
  EXPECT_EQ(At(385, 104), CTrackList::kBox) << "the up box";

  room->OnLButtonDown(0, 390, 105);
  EXPECT_EQ(room->List().First(), 2) << "up box: one row";
  // Track of 2 rows (40 px) from y 120: the thumb covers 120 + 2 * 40 / 7 to 120 + 6 * 40 / 7.
  room->OnLButtonDown(0, 390, 121);
  EXPECT_EQ(room->List().First(), 0) << "above the thumb, less than a page from the top";
  room->OnLButtonDown(0, 390, 150);
  EXPECT_EQ(room->List().First(), 3) << "below the thumb: a page less one, at most entries - rows";
  room->OnLButtonDown(0, 390, 170);
  EXPECT_EQ(room->List().First(), 3) << "down box at the end";

  room->OnLButtonDown(0, 390, 140);
  ASSERT_TRUE(room->List().IsDragging());
  room->OnMouseMove(0, 390, 140 - 12);
  EXPECT_EQ(room->List().First(), 1) << "3 + 7 * -12 / 40";
  room->OnLButtonUp(0, 390, 128);
  EXPECT_FALSE(room->List().IsDragging());

  room->OnMouseMove(0, 200, 100 + kRow + 5);
  EXPECT_EQ(room->Selected(), 2) << "the row under the cursor";
  room->OnLButtonDown(0, 200, 100 + kRow + 5);
  EXPECT_EQ(room->Playing(), 2);
  room->OnMouseMove(0, 390, 100 + kRow + 5);
  EXPECT_EQ(room->Selected(), 2) << "the scroll bar is not a row";
  DrawChecked(*room);
}

}  // namespace

// The album's picture viewer: images of one entry cross-faded, other entries reached through black,
// the pan over a picture wider than the screen, and the way back to the grid.
#include "ExtrasTestGame.h"
#include "modes/AlbumMode.h"
#include "platform/VirtualKeys.h"

namespace {

constexpr int32_t kFade = 4;
constexpr uint32_t kSmall = 0xFF6040A0u;
constexpr uint32_t kWideLeft = 0xFF10C010u;
constexpr uint32_t kWideRight = 0xFFC01010u;
constexpr uint32_t kFirst = 0xFF000080u;
constexpr uint32_t kSecond = 0xFF0080FFu;

class AlbumModeTest : public CExtrasTestGame {
 protected:
  // Entries of category 0: a small picture, a wide one, two images, a locked one; three slots.
  void SetUp() override {
    AddFolderArt("album", "al_blank.bmp");
    AddSystemFile("album\\bg.scn", "BG bg.png\n" + Slots(3) + Buttons());
    AddSystemFile("album\\image.scn", Control("戻る", 700, 500, 780, 540, "look.png") +
                                          Control("前", 0, 500, 60, 540, "look.png") +
                                          Control("次", 100, 500, 160, 540, "look.png"));
    AddSolidImage("album\\small.png", 400, 300, kSmall);
    std::vector<uint32_t> wide(1600 * 600);
    for (size_t i = 0; i < wide.size(); ++i) wide[i] = i % 1600 < 800 ? kWideLeft : kWideRight;
    ASSERT_TRUE(CPngWriter::Write("wide.png", wide.data(), 1600, 600, 1600, true));
    AddSystemFile("album\\wide.png", CTempDir::Read("wide.png"));
    AddSolidImage("album\\a.png", 800, 600, kFirst);
    AddSolidImage("album\\b.png", 800, 600, kSecond);
    AddSystemFile("album\\list.csv",
                  "サムネイル,カテゴリ,画像\n"
                  "system\\album\\t.png,0,system\\album\\small.png\n"
                  "system\\album\\t.png,0,system\\album\\wide.png\n"
                  "system\\album\\t.png,0,system\\album\\a.png,system\\album\\b.png\n"
                  "system\\album\\t.png,0,system\\album\\small.png\n");
    UseSettings("フェード時間," + std::to_string(kFade) + "\n");
    for (int i = 0; i < 3; ++i) settings::Extras().Album()[size_t(i)].seen = true;
    album = std::unique_ptr<CAlbumMode>(static_cast<CAlbumMode*>(CAlbumMode::Create(game).release()));
    ASSERT_TRUE(album);
    Run(kFade + 1);
    ASSERT_EQ(album->Phase(), CAlbumMode::kGrid);
  }
  void Run(int ticks) {
    for (int i = 0; i < ticks; ++i) album->Update(1, 0, 0);
  }
  // Opens the entry at a slot of the first page and lets the viewer come in.
  void Open(int slot) {
    album->OnMouseMove(0, 150 + slot * 120, 140);
    album->OnKeyDown(vk::kReturn, 0, 0);
    ASSERT_EQ(album->Phase(), CAlbumMode::kPicture);
    Run(kFade);
  }

  std::unique_ptr<CAlbumMode> album;
};

TEST_F(AlbumModeTest, ASingleImageSmallerThanTheScreenIgnoresEnter) {
  Open(0);
  EXPECT_EQ(album->Opacity(), kFade);
  DrawChecked(*album);
  EXPECT_EQ(At(10, 10), kSmall);
  EXPECT_EQ(At(500, 400), 0xFF000000u) << "black around a small picture";
  album->OnKeyDown(vk::kReturn, 0, 0);
  album->OnLButtonDown(0, 400, 300);
  EXPECT_EQ(album->Phase(), CAlbumMode::kPicture);
  EXPECT_EQ(album->ImageNumber(), 0);
}

TEST_F(AlbumModeTest, AWidePicturePansEightHundredPixelsInTwoHundredTicksAndBackOnTheNextEnter) {
  Open(1);
  album->OnKeyDown(vk::kReturn, 0, 0);
  ASSERT_EQ(album->Phase(), CAlbumMode::kPanning);
  Run(100);
  EXPECT_EQ(album->Viewer().Offset(), (SPoint{400, 0}));
  Run(99);
  EXPECT_EQ(album->Phase(), CAlbumMode::kPanning);
  Run(1);
  EXPECT_EQ(album->Viewer().Offset(), (SPoint{800, 0}));
  EXPECT_EQ(album->Phase(), CAlbumMode::kPicture);
  DrawChecked(*album);
  EXPECT_EQ(At(10, 10), kWideRight) << "the right half fills the screen";
  album->OnKeyDown(vk::kReturn, 0, 0);
  ASSERT_EQ(album->Phase(), CAlbumMode::kPanning);
  Run(1);
  EXPECT_EQ(album->Viewer().Offset(), (SPoint{796, 0})) << "back from the far end";
  Run(199);
  EXPECT_EQ(album->Viewer().Offset(), (SPoint{0, 0}));
  DrawChecked(*album);
  EXPECT_EQ(At(10, 10), kWideLeft);
}

TEST_F(AlbumModeTest, TheNextImageCrossFadesAndTheNextEntrySkipsUnseenOnesThroughBlack) {
  Open(2);
  album->OnLButtonDown(0, 400, 300);
  ASSERT_EQ(album->Phase(), CAlbumMode::kNextImage);
  EXPECT_EQ(album->ImageNumber(), 1);
  Run(2);
  DrawChecked(*album);
  EXPECT_TRUE(Near(At(400, 300), Filled(kFirst, 0x7F000000u | (kSecond & 0xFFFFFFu))))
      << "half way: 2 * 255 / 4";
  Run(2);
  EXPECT_EQ(album->Phase(), CAlbumMode::kPicture);
  album->OnKeyDown(vk::kReturn, 0, 0);
  EXPECT_EQ(album->ImageNumber(), 0) << "the images wrap";
  Run(kFade);

  album->OnKeyDown(vk::kRight, 0, 0);
  ASSERT_EQ(album->Phase(), CAlbumMode::kOtherEntry);
  EXPECT_EQ(album->Entry(), 0) << "the unseen fourth entry is skipped and the walk wraps";
  DrawChecked(*album);
  EXPECT_EQ(At(400, 300), kFirst) << "the old picture in the first half";
  Run(2);
  DrawChecked(*album);
  EXPECT_EQ(At(400, 300), 0xFF000000u) << "black in the middle of the change";
  Run(2);
  EXPECT_EQ(album->Phase(), CAlbumMode::kPicture);
  album->OnLButtonDown(0, 30, 520);
  EXPECT_EQ(album->Entry(), 2) << "the button 前 goes back, skipping the unseen entry";
}

TEST_F(AlbumModeTest, BackToTheGridAtTheViewedEntryAndLeavingForTheTitle) {
  Open(1);
  album->OnKeyDown(vk::kLeft, 0, 0);
  Run(kFade);
  ASSERT_EQ(album->Entry(), 0);
  album->OnLButtonDown(0, 740, 520);
  EXPECT_EQ(album->Phase(), CAlbumMode::kGrid);
  EXPECT_EQ(album->Grid().Slot(), 0);
  Run(1);
  EXPECT_EQ(album->Opacity(), kFade - 1) << "the picture fades out over the grid";
  Run(kFade);
  EXPECT_EQ(album->Opacity(), 0);
  EXPECT_EQ(album->OnCancel(), 1);
  EXPECT_EQ(album->Phase(), CAlbumMode::kLeaving);
  game.SetMode(CGameSystem::kModeAlbum);
  auto* engineAlbum = static_cast<CAlbumMode*>(game.ScreenMode());
  ASSERT_TRUE(engineAlbum);
  for (int i = 0; i <= kFade; ++i) engineAlbum->Update(1, 0, 0);
  engineAlbum->OnCancel();
  for (int i = 0; i <= kFade && game.Mode() == CGameSystem::kModeAlbum; ++i)
    game.ScreenMode()->Update(1, 0, 0);
  EXPECT_EQ(game.Mode(), CGameSystem::kModeTitle);
}

}  // namespace

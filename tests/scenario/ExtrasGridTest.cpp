// The thumbnail grid the album, flashback and music room share, seen through the album: pages of
// thumbnails and blanks, locked entries, the cursor, categories and the completion digits.
#include "ExtrasTestGame.h"
#include "modes/AlbumMode.h"
#include "platform/VirtualKeys.h"

namespace {

constexpr int32_t kFade = 2;

class ExtrasGridTest : public CExtrasTestGame {
 protected:
  void SetUp() override {
    AddFolderArt("album", "al_blank.bmp");
    AddSystemFile("album\\image.scn", Control("戻る", 700, 500, 780, 540));
  }
  // The album layout with three slots, the common buttons and two category buttons, and a list of
  // `count` entries of category 0 (the first `seen` of them seen) and one seen entry of category 1.
  void UseAlbum(int count, int seen, bool withCursor) {
    AddSystemFile("album\\bg.scn", "BG bg.png\n" + Slots(3) + Buttons() +
                                       Control("カテゴリ0", 600, 100, 700, 140, "look.png") +
                                       Control("カテゴリ1", 600, 150, 700, 190, "look.png"));
    if (withCursor) AddCursorFrame("album\\cursor.png");
    std::string list = "サムネイル,カテゴリ,画像\n";
    for (int i = 0; i < count; ++i) list += "system\\album\\t.png,0,system\\album\\t.png\n";
    list += "system\\album\\t.png,1,system\\album\\t.png\n";
    AddSystemFile("album\\list.csv", list);
    UseSettings("フェード時間," + std::to_string(kFade) + "\n");
    auto& entries = settings::Extras().Album();
    for (int i = 0; i < seen; ++i) entries[size_t(i)].seen = true;
    entries.back().seen = true;
  }
  std::unique_ptr<CScreenMode> OpenAlbum() {
    auto album = CAlbumMode::Create(game);
    for (int i = 0; album && i <= kFade; ++i) album->Update(1, 0, 0);
    return album;
  }
  static const CExtrasGrid& Grid(const std::unique_ptr<CScreenMode>& mode) {
    return static_cast<CAlbumMode&>(*mode).Grid();
  }
};

TEST_F(ExtrasGridTest, ACategoryWithoutEntriesShowsOnePageOfBlanksAndRateZero) {
  UseAlbum(0, 0, true);
  auto album = OpenAlbum();
  ASSERT_TRUE(album);
  EXPECT_EQ(Grid(album).EntryCount(), 0);
  EXPECT_EQ(Grid(album).Pages(), 1);
  EXPECT_EQ(Grid(album).Rate(), 0);
  DrawChecked(*album);
  EXPECT_EQ(At(150, 140), kBlank) << "inside the cursor's frame";
  EXPECT_EQ(At(270, 140), kBlank);
  EXPECT_EQ(At(390, 140), kBlank);
  EXPECT_EQ(At(105, 105), kCursor) << "the cursor over the first slot";
  EXPECT_EQ(ShownDigits(), "--0");
}

TEST_F(ExtrasGridTest, TheRateShowsOnlyTheDigitsItHas) {
  UseAlbum(14, 1, true);
  auto album = OpenAlbum();
  EXPECT_EQ(Grid(album).Rate(), 7) << "1 * 100 / 14";
  DrawChecked(*album);
  EXPECT_EQ(ShownDigits(), "--7");
  album->OnKeyDown(vk::kNext, 0, 0);
  EXPECT_EQ(Grid(album).Category(), 1);
  EXPECT_EQ(Grid(album).Rate(), 100);
  DrawChecked(*album);
  EXPECT_EQ(ShownDigits(), "100");
}

TEST_F(ExtrasGridTest, LockedEntriesAreHiddenAndAMissingCursorIsAnOrangeFill) {
  UseAlbum(2, 1, false);
  auto album = OpenAlbum();
  DrawChecked(*album);
  EXPECT_EQ(At(150, 140), Filled(kThumbnail, CExtrasGrid::kCursorFallback)) << "seen, under the cursor";
  EXPECT_EQ(At(270, 140), kScreenBackground) << "the locked entry's thumbnail is not drawn";
  EXPECT_EQ(At(390, 140), kBlank) << "past the last entry";
}

TEST_F(ExtrasGridTest, ArrowKeysCrossPagesAndPageKeysChangeCategoryOnlyWhereAButtonIs) {
  UseAlbum(7, 7, true);
  auto album = OpenAlbum();
  const CExtrasGrid& grid = Grid(album);
  EXPECT_EQ(grid.Pages(), 3);
  album->OnKeyDown(vk::kUp, 0, 0);
  EXPECT_EQ(grid.Page(), 0) << "no page before the first";
  EXPECT_EQ(grid.Slot(), 0);
  for (int i = 0; i < 3; ++i) album->OnKeyDown(vk::kDown, 0, 0);
  EXPECT_EQ(grid.Page(), 1);
  EXPECT_EQ(grid.Slot(), 0);
  album->OnKeyDown(vk::kLeft, 0, 0);
  EXPECT_EQ(grid.Page(), 0);
  EXPECT_EQ(grid.Slot(), 2);
  for (int i = 0; i < 8; ++i) album->OnKeyDown(vk::kRight, 0, 0);
  EXPECT_EQ(grid.Page(), 2) << "the last page keeps its blank slots";
  EXPECT_EQ(grid.Slot(), 2);
  EXPECT_EQ(grid.SelectedPosition(), -1);

  album->OnKeyDown(vk::kPrior, 0, 0);
  EXPECT_EQ(grid.Category(), 0) << "no category before the first";
  album->OnKeyDown(vk::kNext, 0, 0);
  EXPECT_EQ(grid.Category(), 1);
  EXPECT_EQ(grid.Page(), 0);
  album->OnKeyDown(vk::kNext, 0, 0);
  EXPECT_EQ(grid.Category(), 1) << "there is no button for category 2";
  album->OnLButtonDown(0, 650, 120);
  EXPECT_EQ(grid.Category(), 0) << "the button of category 0";
}

TEST_F(ExtrasGridTest, PageButtonsTurnOnlyWhereThereIsAPageAndTheMouseSelectsLockedSlotsToo) {
  UseAlbum(4, 1, true);
  auto album = OpenAlbum();
  const CExtrasGrid& grid = Grid(album);
  album->OnLButtonDown(0, 120, 520);
  EXPECT_EQ(grid.Page(), 0) << "前 on the first page";
  album->OnLButtonDown(0, 220, 520);
  EXPECT_EQ(grid.Page(), 1);
  album->OnLButtonDown(0, 220, 520);
  EXPECT_EQ(grid.Page(), 1) << "次 on the last page";
  album->OnLButtonDown(0, 120, 520);
  EXPECT_EQ(grid.Page(), 0);
  album->OnMouseMove(0, 250, 120);
  EXPECT_EQ(grid.Slot(), 1);
  album->OnLButtonDown(0, 250, 120);
  EXPECT_EQ(static_cast<CAlbumMode&>(*album).Phase(), CAlbumMode::kGrid) << "a locked entry does not open";
  DrawChecked(*album);
  game.Display().ClearSpans();
  album->Update(1, 230, 520);
  DrawChecked(*album, 230, 520);
  EXPECT_EQ(At(230, 520), kButtonLook) << "次 lights under the cursor";
  album->OnLButtonDown(0, 740, 520);
  EXPECT_EQ(static_cast<CAlbumMode&>(*album).Phase(), CAlbumMode::kLeaving) << "戻る";
}

}  // namespace

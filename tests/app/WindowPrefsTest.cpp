// The window size and scaling kept between runs.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/WindowPrefs.h"
#include "io/AtomicFile.h"
#include "io/TempDir.h"
#include "persist/Settings.h"

TEST(WindowPrefs, ParseTakesGoodLinesAndPassesOverTheRest) {
  EXPECT_EQ(CWindowPrefs::Parse("width 1700\nheight 1300\nscaling smooth\n"),
            (SWindowPlacement{1700, 1300, EScaling::kSmooth}));
  EXPECT_EQ(CWindowPrefs::Parse("scaling sharp\r\nheight 600\r\nwidth 800\r\nfuture 1\r\n"),
            (SWindowPlacement{800, 600, EScaling::kSharp}));
  // Negative, huge, trailing words and half a size give the default size; a bad scaling keeps sharp.
  EXPECT_EQ(CWindowPrefs::Parse("width -5\nheight 600\n"), SWindowPlacement{});
  EXPECT_EQ(CWindowPrefs::Parse("width 99999\nheight 600\n"), SWindowPlacement{});
  EXPECT_EQ(CWindowPrefs::Parse("width 800 600\nheight 600\n"), SWindowPlacement{});
  EXPECT_EQ(CWindowPrefs::Parse("width 800\nscaling blurry\n"), SWindowPlacement{});
  EXPECT_EQ(CWindowPrefs::Parse(""), SWindowPlacement{});
}

TEST(WindowPrefs, SavedPlacementLoadsBackFromTheSaveFolder) {
  const CTempDir temp;
  settings::SetSaveDirectoryOverride((temp.path / "saves").string());
  EXPECT_EQ(CWindowPrefs::Load(), SWindowPlacement{}) << "nothing kept yet";
  const SWindowPlacement placement{1700, 1300, EScaling::kSmooth};
  ASSERT_TRUE(CWindowPrefs::Save(placement));
  EXPECT_EQ(CWindowPrefs::Load(), placement);
  EXPECT_EQ(CWindowPrefs::Path(), (temp.path / "saves" / "window.cfg").string());
  // A failed write leaves the kept placement as it was.
  CAtomicFile::InjectFault(CAtomicFile::EFault::kWrite);
  EXPECT_FALSE(CWindowPrefs::Save({640, 480, EScaling::kSharp}));
  CAtomicFile::InjectFault(CAtomicFile::EFault::kNone);
  EXPECT_EQ(CWindowPrefs::Load(), placement);
  settings::SetSaveDirectoryOverride("");
}

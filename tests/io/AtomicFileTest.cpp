#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "io/AtomicFile.h"
#include "io/TempDir.h"

namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
 protected:
  void TearDown() override { CAtomicFile::InjectFault(CAtomicFile::EFault::kNone); }
  static std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }
  static size_t FilesIn(const fs::path& folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
  }
  CTempDir dir;
};

TEST_F(AtomicFileTest, WritesAndReplacesCreatingMissingFoldersWithoutLeavingATemporary) {
  ASSERT_TRUE(CAtomicFile::Write("save/deep/a.dat", Bytes("first")));
  EXPECT_EQ(CTempDir::Read("save/deep/a.dat"), Bytes("first"));
  ASSERT_TRUE(CAtomicFile::Write("save/deep/a.dat", Bytes("second, longer")));
  EXPECT_EQ(CTempDir::Read("save/deep/a.dat"), Bytes("second, longer"));
  ASSERT_TRUE(CAtomicFile::Write("save/deep/a.dat", std::vector<uint8_t>()));
  EXPECT_TRUE(CTempDir::Read("save/deep/a.dat").empty());
  EXPECT_EQ(FilesIn("save/deep"), 1u);
  // A name without a folder goes to the working directory.
  EXPECT_TRUE(CAtomicFile::Write("plain.dat", Bytes("x")));
  EXPECT_EQ(CTempDir::Read("plain.dat"), Bytes("x"));
}

TEST_F(AtomicFileTest, EveryFailingStepKeepsTheOldFileAndRemovesTheTemporary) {
  using F = CAtomicFile::EFault;
  const std::vector<uint8_t> old = Bytes("the previous save, byte for byte");
  const std::vector<uint8_t> replacement(100000, 0x5A);
  for (F fault : {F::kCreate, F::kWrite, F::kSync, F::kRename}) {
    SCOPED_TRACE(static_cast<int>(fault));
    CTempDir::Write("save/save0.dat", old);
    CAtomicFile::InjectFault(fault);
    EXPECT_FALSE(CAtomicFile::Write("save/save0.dat", replacement));
    EXPECT_EQ(CTempDir::Read("save/save0.dat"), old);
    EXPECT_EQ(FilesIn("save"), 1u);
    // Without an old file nothing appears.
    EXPECT_FALSE(CAtomicFile::Write("save/new.dat", replacement));
    EXPECT_FALSE(fs::exists("save/new.dat"));
    EXPECT_EQ(FilesIn("save"), 1u);
  }
  CAtomicFile::InjectFault(F::kNone);
  EXPECT_TRUE(CAtomicFile::Write("save/save0.dat", replacement));
  EXPECT_EQ(CTempDir::Read("save/save0.dat"), replacement);
}

TEST_F(AtomicFileTest, ReadOnlyFolderFailsAndKeepsTheOldFile) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  CTempDir::Write("save/system.dat", Bytes("old"));
  fs::permissions("save", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(CAtomicFile::Write("save/system.dat", Bytes("new")));
  fs::permissions("save", fs::perms::owner_all);
  EXPECT_EQ(CTempDir::Read("save/system.dat"), Bytes("old"));
  EXPECT_EQ(FilesIn("save"), 1u);
}

TEST_F(AtomicFileTest, PlacesThatCannotHoldTheFileFail) {
  // A folder in the path that is a file, and a target that is a folder: both fail even for root.
  CTempDir::Write("save", Bytes("a file, not a folder"));
  EXPECT_FALSE(CAtomicFile::Write("save/save0.dat", Bytes("x")));
  EXPECT_EQ(CTempDir::Read("save"), Bytes("a file, not a folder"));
  CTempDir::Write("other/system.dat/inside", Bytes("kept"));
  EXPECT_FALSE(CAtomicFile::Write("other/system.dat", Bytes("x")));
  EXPECT_EQ(CTempDir::Read("other/system.dat/inside"), Bytes("kept"));
  EXPECT_EQ(FilesIn("other"), 1u);
  EXPECT_FALSE(CAtomicFile::Write("", Bytes("x")));
  // A writer that must not create folders fails on a missing one.
  EXPECT_FALSE(CAtomicFile::Write("missing/shot.png", Bytes("x"), false));
  EXPECT_FALSE(fs::exists("missing"));
}

TEST_F(AtomicFileTest, TemporaryOfAKilledWriteIsIgnoredAndCleanedUp) {
  CTempDir::Write("save/save3.dat", Bytes("intact"));
  CTempDir::Write(std::string("save/save3.dat") + CAtomicFile::kTempSuffix, Bytes("half a sa"));
  CTempDir::Write(std::string("save/save4.dat") + CAtomicFile::kTempSuffix, Bytes("half"));
  CTempDir::Write("save/notes.tmp", Bytes("not ours"));
  EXPECT_EQ(CTempDir::Read("save/save3.dat"), Bytes("intact"));

  // The next write of that file replaces its leftover; the folder clean-up takes the others.
  ASSERT_TRUE(CAtomicFile::Write("save/save3.dat", Bytes("whole save")));
  EXPECT_EQ(CTempDir::Read("save/save3.dat"), Bytes("whole save"));
  EXPECT_FALSE(fs::exists(std::string("save/save3.dat") + CAtomicFile::kTempSuffix));
  EXPECT_EQ(CAtomicFile::RemoveLeftovers("save"), 1);
  EXPECT_EQ(FilesIn("save"), 2u);
  EXPECT_TRUE(fs::exists("save/notes.tmp"));
  EXPECT_EQ(CAtomicFile::RemoveLeftovers("no-such-folder"), 0);
}

}  // namespace

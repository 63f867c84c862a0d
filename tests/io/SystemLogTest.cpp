#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "io/Path.h"
#include "io/SystemLog.h"

namespace {

std::string ReadText(const std::string& path) {
  const std::vector<uint8_t> bytes = CTempDir::Read(path);
  return std::string(bytes.begin(), bytes.end());
}

TEST(SystemLogTest, WritesLinesWithCarriageReturnsOnlyWhileOpen) {
  CTempDir dir;
  CSystemLog::LogMessage("dropped\n");
  CSystemLog::OpenLog("logs\\..x.log");  // "..x.log" is a name, not a step up
  EXPECT_FALSE(CSystemLog::IsOpen());    // its folder does not exist
  CSystemLog::OpenLog("system.log");
  ASSERT_TRUE(CSystemLog::IsOpen());
  CSystemLog::LogMessage("%s %dB\n", "system", 1234);
  CSystemLog::CloseLog();
  CSystemLog::LogMessage("after\n");
  EXPECT_EQ(ReadText("system.log"), "system 1234B\r\n");
}

// A log name from the settings that leaves the game folder would truncate any file the player can
// write: it is refused and the file it names is left alone.
TEST(SystemLogTest, NamesLeavingTheGameFolderAreRefused) {
  CTempDir dir;
  CTempDir::Write("game/keep.txt", std::string("precious"));
  const std::string outside = (dir.path / "keep.txt").string();
  CTempDir::Write("keep.txt", std::string("precious"));
  std::filesystem::current_path(dir.path / "game");
  for (const std::string& name : {outside, std::string("..\\keep.txt"), std::string("../keep.txt"),
                                  std::string("sub\\..\\..\\keep.txt"), std::string("\\keep.txt"),
                                  std::string("C:\\keep.txt"), std::string("..")}) {
    CSystemLog::OpenLog(name);
    EXPECT_FALSE(CSystemLog::IsOpen()) << name;
    CSystemLog::LogMessage("overwritten\n");
    CSystemLog::CloseLog();
  }
  EXPECT_EQ(ReadText("../keep.txt"), "precious");
  EXPECT_EQ(ReadText(outside), "precious");
  CSystemLog::OpenLog("keep.txt");
  EXPECT_TRUE(CSystemLog::IsOpen());
  CSystemLog::CloseLog();
  std::filesystem::current_path(dir.path);
}

TEST(SystemLogTest, EachStartReplacesTheLogAndLeavesNoTemporaryFile) {
  CTempDir dir;
  CTempDir::Write("system.log", std::string("an old start\r\nwith more lines\r\n"));
  CSystemLog::OpenLog("system.log");
  ASSERT_TRUE(CSystemLog::IsOpen());
  EXPECT_EQ(ReadText("system.log"), "");  // created anew at once
  CSystemLog::LogMessage("\nアーカイブ\n");
  CSystemLog::LogMessage("%s %dB\n", "system", 1234);
  CSystemLog::CloseLog();
  EXPECT_EQ(ReadText("system.log"), "\r\nアーカイブ\r\nsystem 1234B\r\n");
  EXPECT_FALSE(std::filesystem::exists("system.log.zel-tmp"));
  EXPECT_EQ(CSystemLog::Path(), "");
}

// A game folder the player cannot write to (here the log's name is taken by a folder) sends the log
// to the fallback folder, and the next start there replaces it; the folder in the game is untouched.
TEST(SystemLogTest, RefusedGameFolderSendsTheLogToTheFallbackFolder) {
  CTempDir dir;
  std::filesystem::create_directories("game/system.log");
  std::filesystem::current_path(dir.path / "game");
  const std::string fallback = (dir.path / "user" / "zel" / "game").string();
  CSystemLog::SetFallbackFolder(fallback);
  for (const char* line : {"first start\n", "second\n"}) {
    CSystemLog::OpenLog("system.log");
    ASSERT_TRUE(CSystemLog::IsOpen());
    EXPECT_EQ(CSystemLog::Path(), fallback + "/system.log");
    CSystemLog::LogMessage("%s", line);
    CSystemLog::CloseLog();
  }
  EXPECT_EQ(ReadText(fallback + "/system.log"), "second\r\n");
  EXPECT_TRUE(std::filesystem::is_directory("system.log"));
  CSystemLog::SetFallbackFolder("");
  std::filesystem::current_path(dir.path);
}

}  // namespace

// An installed game's folder is read-only for the player: the log goes to the fallback folder
// under its own name, never outside it.
TEST(SystemLogTest, LogThatTheGameFolderCannotTakeGoesToTheFallbackFolder) {
  CTempDir dir;
  const std::string fallback = (dir.path / "data" / "saves").string();
  CSystemLog::SetFallbackFolder(fallback);
  CSystemLog::OpenLog("missing\\start.log");
  ASSERT_TRUE(CSystemLog::IsOpen());
  CSystemLog::LogMessage("kept\n");
  CSystemLog::CloseLog();
  EXPECT_EQ(ReadText(fallback + "/start.log"), "kept\r\n");
  // A name refused for leaving the game folder is refused here too.
  CSystemLog::OpenLog("..\\start.log");
  EXPECT_FALSE(CSystemLog::IsOpen());
  CSystemLog::SetFallbackFolder("");
  CSystemLog::OpenLog("missing\\start.log");
  EXPECT_FALSE(CSystemLog::IsOpen());
}

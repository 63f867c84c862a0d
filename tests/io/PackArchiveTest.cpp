#include <gtest/gtest.h>

#include <random>

#include "io/ArchiveBytes.h"
#include "io/PackArchive.h"
#include "io/SystemLog.h"
#include "io/TempDir.h"

namespace {

class PackArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override { CPackArchive::Instance().UnmountAll(); }
  void TearDown() override { CPackArchive::Instance().UnmountAll(); }

  static std::string Load(const std::string& name) {
    std::vector<uint8_t> content{'x'};
    if (!CPackArchive::Instance().LoadFile(name, content)) return "<none>";
    return std::string(content.begin(), content.end());
  }
  static std::string ReadAll(CReadFile& file) {
    std::string text(static_cast<size_t>(file.GetLength()), '\0');
    EXPECT_EQ(file.Read(text.data(), text.size()), text.size());
    return text;
  }

  CTempDir dir;
  CPackArchive& archives = CPackArchive::Instance();
};

TEST_F(PackArchiveTest, DecodesEntriesByTheRequestedNamesExtension) {
  // The PNG entry's complemented bytes would also be a valid LZSS stream; it must not be decoded.
  const std::vector<uint8_t> ambiguous = LiteralsOnly("abcdefg");
  CTempDir::Write("system", BuildArchive({{"Setting.csv", 5, LiteralsOnly("k,v\r\n")},
                                          {"pic.PNG", 8, ambiguous},
                                          {"x.png.bak", 3, LiteralsOnly("bak")},
                                          {"empty.txt", 0, {}}}));
  ASSERT_TRUE(archives.Mount("system", "system"));
  EXPECT_EQ(Load("system\\setting.csv"), "k,v\r\n");
  EXPECT_EQ(Load("SYSTEM\\SETTING.CSV"), "k,v\r\n");
  std::string png = Load("System\\pic.png");
  ASSERT_EQ(png.size(), 8u);
  for (size_t i = 0; i < png.size(); ++i) EXPECT_EQ(static_cast<uint8_t>(png[i]), 255 - ambiguous[i]);
  EXPECT_EQ(Load("system\\x.png.bak"), "bak");
  EXPECT_EQ(Load("system\\empty.txt"), "");
  EXPECT_EQ(Load("setting.csv"), "<none>");
  EXPECT_EQ(Load("systemx\\setting.csv"), "<none>");
  EXPECT_TRUE(archives.Exists("SYSTEM\\Pic.png"));
  EXPECT_FALSE(archives.Exists("system\\nothing"));
}

TEST_F(PackArchiveTest, DecodesOverlappingMatchesAndStopsAtTheSize) {
  // 'a' then a match at ring position 4078 (where 'a' was written) of 18 bytes: "aaaa...",
  // cut at the entry's size of 6. A second match reads the ring's initial zeros.
  std::vector<uint8_t> stored{0x01, 0x9E, 0xEE, 0xFF};
  std::vector<uint8_t> zeros{0x00, 0x00, 0x00};
  CTempDir::Write("a.arc", BuildArchive({{"run.txt", 6, stored}, {"zero.txt", 3, zeros}}));
  ASSERT_TRUE(archives.Mount("a.arc", ""));
  EXPECT_EQ(Load("run.txt"), "aaaaaa");
  EXPECT_EQ(Load("zero.txt"), std::string(3, '\0'));
}

TEST_F(PackArchiveTest, FirstMountedArchiveWinsAndEmptyPrefixAnswersEverything) {
  CTempDir::Write("one", BuildArchive({{"A.TXT", 3, LiteralsOnly("one")}}));
  CTempDir::Write("two",
                  BuildArchive({{"a.txt", 3, LiteralsOnly("two")}, {"b.txt", 3, LiteralsOnly("2bb")}}));
  CTempDir::Write("all", BuildArchive({{"data\\b.txt", 3, LiteralsOnly("all")}}));
  ASSERT_TRUE(archives.Mount("one", "data"));
  ASSERT_TRUE(archives.Mount("all", ""));
  ASSERT_TRUE(archives.Mount("two", "DATA"));
  EXPECT_EQ(Load("data\\a.txt"), "one");
  EXPECT_EQ(Load("data\\B.txt"), "all");
}

TEST_F(PackArchiveTest, LaterIndexEntryOfOneNameReplacesTheEarlier) {
  CTempDir::Write("a", BuildArchive({{"x.txt", 3, LiteralsOnly("old")}, {"X.TXT", 3, LiteralsOnly("new")}}));
  ASSERT_TRUE(archives.Mount("a", ""));
  EXPECT_EQ(Load("x.txt"), "new");
}

TEST_F(PackArchiveTest, FallsBackToLooseFilesAndNextArchiveWhenAnArchiveVanished) {
  CTempDir::Write("a", BuildArchive({{"x.txt", 3, LiteralsOnly("aaa")}}));
  CTempDir::Write("b", BuildArchive({{"x.txt", 3, LiteralsOnly("bbb")}}));
  CTempDir::Write("Loose\\ignored", "not this");
  CTempDir::Write("Loose/Sub Dir/File.TXT", "loose");
  ASSERT_TRUE(archives.Mount("a", ""));
  ASSERT_TRUE(archives.Mount("b", ""));
  std::filesystem::remove("a");
  EXPECT_EQ(Load("x.txt"), "bbb");
  EXPECT_NE(archives.OpenFile("x.txt"), nullptr);
  EXPECT_EQ(Load("loose\\sub dir\\file.txt"), "loose");
  // '\' always separates folders: a file whose name holds a backslash is not what it names.
  EXPECT_EQ(Load("Loose\\ignored"), "<none>");
  std::unique_ptr<CReadFile> file = archives.OpenFile("LOOSE\\SUB DIR\\FILE.TXT");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->GetFileName(), "LOOSE\\SUB DIR\\FILE.TXT");
  EXPECT_EQ(ReadAll(*file), "loose");
  EXPECT_FALSE(archives.Exists("loose"));  // a folder is not a file
}

TEST_F(PackArchiveTest, FindsShiftJisNamesStoredAsUtf8AndNewFilesInListedFolders) {
  // "背景" in Shift JIS is 0x94 0x77 0x8C 0x69; on disk the name is UTF-8.
  CTempDir::Write("bg/\xE8\x83\x8C\xE6\x99\xAF.txt", "sjis");
  EXPECT_EQ(Load("BG\\\x94\x77\x8C\x69.TXT"), "sjis");
  EXPECT_FALSE(archives.Exists("bg\\late.txt"));
  CTempDir::Write("bg/Late.txt", "late");
  EXPECT_EQ(Load("bg\\late.txt"), "late");
}

TEST_F(PackArchiveTest, OpenFileAndOpenStreamHandOutTheData) {
  CTempDir::Write("a", BuildArchive({{"s.ogg", 6, Bytes("OggS!!")}, {"t.txt", 4, LiteralsOnly("text")}}));
  CTempDir::Write("loose.wav", "RIFF1234");
  ASSERT_TRUE(archives.Mount("a", "snd"));
  std::unique_ptr<CReadFile> file = archives.OpenFile("snd\\t.txt");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->GetLength(), 4u);
  EXPECT_TRUE(file->Seek(2));
  char tail[4] = {};
  EXPECT_EQ(file->Read(tail, 4), 2u);
  EXPECT_EQ(std::string(tail, 2), "xt");
  EXPECT_EQ(file->GetPosition(), 4u);
  EXPECT_FALSE(file->Seek(5));

  uint32_t size = 0;
  FILE* stream = archives.OpenStream("snd\\S.OGG", size);
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(size, 6u);
  char buffer[6];
  ASSERT_EQ(std::fread(buffer, 1, 6, stream), 6u);
  std::fclose(stream);
  EXPECT_EQ(std::string(buffer, 6), "OggS!!");
  stream = archives.OpenStream("LOOSE.WAV", size);
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(size, 8u);
  std::fclose(stream);
  EXPECT_EQ(archives.OpenStream("none.wav", size), nullptr);
}

TEST_F(PackArchiveTest, RejectsForeignFilesAndEntriesOutsideTheFile) {
  CTempDir::Write("foreign", "ARC1\0\0\0\0");
  CTempDir::Write("short", "ARC");
  EXPECT_FALSE(archives.Mount("foreign", ""));
  EXPECT_FALSE(archives.Mount("short", ""));
  EXPECT_FALSE(archives.Mount("missing", ""));
  CTempDir::Write("far.png", "loose png");
  CTempDir::Write("a", BuildArchive({{"far.png", 100, Complemented("short"), 40},
                                     {"huge.txt", 0x7FFFFFFF, LiteralsOnly("x")},
                                     {"beyond.txt", 1, {}, 0x10000},
                                     {"ok.txt", 2, LiteralsOnly("ok")}}));
  ASSERT_TRUE(archives.Mount("a", ""));
  EXPECT_EQ(Load("far.png"), "loose png");
  EXPECT_FALSE(archives.Exists("huge.txt"));
  EXPECT_FALSE(archives.Exists("beyond.txt"));
  EXPECT_EQ(Load("ok.txt"), "ok");
}

// Every prefix of an archive and random damage to its index: mounting fails or entries come back
// whole or not at all, without reading outside any buffer.
TEST_F(PackArchiveTest, SurvivesTruncationAndRandomIndexBytes) {
  const std::vector<uint8_t> whole =
      BuildArchive({{"a.txt", 11, LiteralsOnly("hello world")},
                    {"b.png", 4, Complemented("\x89PNG")},
                    {"c.txt", 40, {0xFF, 0x9E, 0xEE, 0xFF, 0xEE, 0xFF, 0xEE, 0xFF, 0xEE}}});
  for (size_t cut = 0; cut <= whole.size(); ++cut) {
    archives.UnmountAll();
    CTempDir::Write("t", std::vector<uint8_t>(whole.begin(), whole.begin() + cut));
    if (!archives.Mount("t", "")) continue;
    std::string a = Load("a.txt");
    EXPECT_TRUE(a == "hello world" || a == "<none>") << cut;
    std::string b = Load("b.png");
    EXPECT_TRUE(b == "\x89PNG" || b == "<none>") << cut;
    Load("c.txt");
  }
  std::mt19937 random(7);
  const size_t indexEnd = 8 + 3 * 9 + 5 + 5 + 5;
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> damaged = whole;
    for (int k = 0; k < 3; ++k) damaged[random() % indexEnd] = static_cast<uint8_t>(random());
    archives.UnmountAll();
    CTempDir::Write("t", damaged);
    if (!archives.Mount("t", "")) continue;
    for (const char* name : {"a.txt", "b.png", "c.txt"}) {
      Load(name);
      uint32_t size = 0;
      if (FILE* stream = archives.OpenStream(name, size)) {
        EXPECT_LE(size, whole.size());
        std::fclose(stream);
      }
    }
  }
}

TEST_F(PackArchiveTest, LogsTheMountedArchivesWithTheirLengths) {
  std::vector<uint8_t> bytes = BuildArchive({{"x", 1, LiteralsOnly("x")}});
  bytes.resize(1234, 0);
  CTempDir::Write("system", bytes);
  ASSERT_TRUE(archives.Mount("system", "system"));
  archives.LogArchives();  // the log is closed: nothing happens
  CSystemLog::OpenLog("system.log");
  archives.LogArchives();
  CSystemLog::CloseLog();
  CSystemLog::LogMessage("after\n");
  EXPECT_EQ(CTempDir::Read("system.log"),
            Bytes("\r\n\x83\x41\x81\x5B\x83\x4A\x83\x43\x83\x75\r\nsystem 1234B\r\n"));
}

}  // namespace

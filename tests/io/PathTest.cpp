#include <gtest/gtest.h>

#include "io/PackMemFile.h"
#include "io/Path.h"

namespace {

class BaseDirectoryTest : public ::testing::Test {
 protected:
  void TearDown() override { SetBaseDirectory(""); }
};

TEST_F(BaseDirectoryTest, KeepsTheFolderUpToTheLastSeparator) {
  EXPECT_EQ(SetBaseDirectory("anime\\op.anm"), "");
  EXPECT_EQ(SetBaseDirectory("op.anm"), "anime\\");
  EXPECT_EQ(SetBaseDirectory("data\\x.scn"), "");
  EXPECT_EQ(SetBaseDirectory(""), "data\\");
  EXPECT_EQ(SetBaseDirectory("x"), "");
  // 0x95 0x5C is one character whose second byte looks like '\'.
  SetBaseDirectory("\x95\\.anm");
  EXPECT_EQ(SetBaseDirectory(""), "");
  SetBaseDirectory("a\\\x95\\\\b.anm");
  EXPECT_EQ(SetBaseDirectory(""), "a\\\x95\\\\");
}

TEST_F(BaseDirectoryTest, ResolvesAgainstTheBaseDirectory) {
  EXPECT_EQ(ResolvePath("bg\\a.png"), "bg\\a.png");
  SetBaseDirectory("data\\anime\\op.anm");
  EXPECT_EQ(ResolvePath("..\\bg\\a.png"), "data\\bg\\a.png");
  EXPECT_EQ(ResolvePath("..\\..\\a.png"), "a.png");
  EXPECT_EQ(ResolvePath("..\\..\\..\\..\\a.png"), "a.png");
  EXPECT_EQ(ResolvePath("bg\\a.png"), "data\\anime\\bg\\a.png");
  EXPECT_EQ(ResolvePath(""), "");
  EXPECT_EQ(ResolvePath("..\\"), "data\\");
}

TEST_F(BaseDirectoryTest, ResolvesBesideAFileAndKeepsTheBaseDirectory) {
  SetBaseDirectory("scenario\\a.adv");
  EXPECT_EQ(ResolveBeside("system\\map\\town.csv", "..\\..\\scenario\\park.adv"), "scenario\\park.adv");
  EXPECT_EQ(ResolveBeside("system\\map\\town.scn", "yuki.anm"), "system\\map\\yuki.anm");
  EXPECT_EQ(ResolveBeside("town.csv", "park.adv"), "park.adv") << "a file without a folder";
  EXPECT_EQ(SetBaseDirectory(""), "scenario\\") << "the base directory is back as it was";
}

TEST_F(BaseDirectoryTest, MakesPathsRelativeIgnoringCase) {
  EXPECT_EQ(MakeRelativePath("DATA\\BG\\A.PNG"), "DATA\\BG\\A.PNG");
  SetBaseDirectory("data\\anime\\op.anm");
  EXPECT_EQ(MakeRelativePath("DATA\\BG\\A.PNG"), "..\\BG\\A.PNG");
  EXPECT_EQ(MakeRelativePath("Data\\Anime\\x\\b.png"), "x\\b.png");
  EXPECT_EQ(MakeRelativePath("other\\b.png"), "..\\..\\other\\b.png");
  EXPECT_EQ(MakeRelativePath("D:\\b.png"), "D:\\b.png");
  EXPECT_EQ(MakeRelativePath("\\root\\b.png"), "\\root\\b.png");
  EXPECT_EQ(MakeRelativePath(""), "");
  // Round trip: a stored relative name resolves back to the working-directory path.
  EXPECT_EQ(ResolvePath(MakeRelativePath("data\\bg\\c.png")), "data\\bg\\c.png");
}

TEST(ExtensionTest, UpperCaseAfterTheLastDotOfTheLastPart) {
  EXPECT_EQ(GetExtension("x.tm2"), "TM2");
  EXPECT_EQ(GetExtension("a.b\\file"), "");
  EXPECT_EQ(GetExtension("file"), "");
  EXPECT_EQ(GetExtension("x.png.bak"), "BAK");
  EXPECT_EQ(GetExtension("dir\\x."), "");
  EXPECT_EQ(GetExtension("a\\b.Png"), "PNG");
  // A two-byte character after the dot keeps its bytes (0x82 0x61 is a full-width letter).
  EXPECT_EQ(GetExtension("a.\x82\x61z"), "\x82\x61Z");
  // 0x83 0x5C: its second byte is not a separator, so the dot before it counts.
  EXPECT_EQ(GetExtension("a.\x83\\"), "\x83\\");
}

std::vector<std::vector<std::string>> TokenLines(const std::string& text) {
  CPackMemFile file(std::vector<uint8_t>(text.begin(), text.end()));
  std::vector<std::vector<std::string>> lines;
  std::vector<std::string> tokens{"stale"};
  while (ReadTokenLine(file, tokens) == 1) lines.push_back(tokens);
  EXPECT_TRUE(tokens.empty());
  return lines;
}

using Lines = std::vector<std::vector<std::string>>;

TEST(TokenLineTest, SplitsQuotesAndSkipsBlankLines) {
  EXPECT_EQ(TokenLines("FILE \"bg\\a b.png\" 12\r\n\r\n \t\nNEXT\tx"),
            (Lines{{"FILE", "bg\\a b.png", "12"}, {"NEXT", "x"}}));
  EXPECT_EQ(TokenLines("A \"open quote  x\n"), (Lines{{"A", "open quote  x"}}));
  EXPECT_EQ(TokenLines("a\"b c\"\n\"\"x"), (Lines{{"a\"b", "c\""}, {"", "x"}}));
  EXPECT_EQ(TokenLines(""), Lines{});
  EXPECT_EQ(TokenLines("\n\n"), Lines{});
}

TEST(TokenLineTest, NulEndsTheInputAndDropsItsLine) {
  EXPECT_EQ(TokenLines(std::string("A B\nC D\0E\nF\n", 13)), (Lines{{"A", "B"}}));
}

TEST(TokenLineTest, OverlongLinesContinueAsTheNextLine) {
  std::string word(300, 'x');
  Lines lines = TokenLines(word + " y\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::vector<std::string>{std::string(259, 'x')});
  EXPECT_EQ(lines[1], (std::vector<std::string>{std::string(41, 'x'), "y"}));
}

TEST(ShowErrorTest, WithoutAPlatformWritesUtf8ToStandardError) {
  testing::internal::CaptureStderr();
  ShowFileError("bg\\a.png");
  ShowError("%s", std::string(400, 'z').c_str());
  // A two-byte character that would be cut in half at byte 259 is left out whole.
  ShowError(std::string(258, 'y') + "\x82\xA0tail");
  std::string out = testing::internal::GetCapturedStderr();
  EXPECT_EQ(out,
            "error: bg\\a.png \xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\xE3\x81\x8C\xE9\x96\x8B"
            "\xE3\x81\x91\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93\nerror: " +
                std::string(259, 'z') + "\nerror: " + std::string(258, 'y') + "\n");
}

}  // namespace

TEST(PathTest, StaysInsideFolder) {
  EXPECT_TRUE(StaysInsideFolder("system.log"));
  EXPECT_TRUE(StaysInsideFolder("log\\a.b\\..c\\c..\\x"));
  // 0x83 0x5C is one character (ソ) whose trail byte is a backslash; ".." after it is not a part.
  EXPECT_TRUE(StaysInsideFolder("\x83\x5C.."));
  EXPECT_FALSE(StaysInsideFolder("\x83\x5C\\.."));
  EXPECT_FALSE(StaysInsideFolder(""));
  EXPECT_FALSE(StaysInsideFolder("/etc/passwd"));
  EXPECT_FALSE(StaysInsideFolder("\\\\server\\share"));
  EXPECT_FALSE(StaysInsideFolder("D:log"));
  EXPECT_FALSE(StaysInsideFolder("a\\..\\b"));
  EXPECT_FALSE(StaysInsideFolder("a/../b"));
  EXPECT_FALSE(StaysInsideFolder("a\\.."));
}

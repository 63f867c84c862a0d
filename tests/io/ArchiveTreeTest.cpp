#include <gtest/gtest.h>

#include <map>
#include <random>

#include "io/ArchiveBytes.h"
#include "io/ArchiveTree.h"
#include "io/TempDir.h"

namespace fs = std::filesystem;

namespace {

using Tree = std::map<std::string, std::vector<uint8_t>>;

// UTF-8 text: plain narrow literals are compiled to Shift JIS.
std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

Tree ReadTree(const fs::path& dir) {
  Tree tree;
  for (const auto& entry : fs::recursive_directory_iterator(dir))
    if (entry.is_regular_file())
      tree[fs::relative(entry.path(), dir).string()] = CTempDir::Read(entry.path().string());
  return tree;
}

// Files of mixed kinds below folders with ASCII and Japanese (UTF-8) names.
Tree MakeTree(int count) {
  static const std::string kFolders[] = {"", "scenario/", "system/window/", U8(u8"画像/"), U8(u8"音声/bgm/")};
  static const char* const kExtensions[] = {".adv", ".png", ".ogg", ".wav", ".bin", ".csv", ""};
  std::mt19937 random(17);
  Tree tree;
  for (int i = 0; i < count; ++i) {
    const int kind = i % 7;
    std::string name =
        kFolders[i % 5] + (i % 4 == 0 ? U8(u8"ファイル") : "File") + std::to_string(i) + kExtensions[kind];
    std::vector<uint8_t> content(random() % 2000);
    for (size_t k = 0; k < content.size(); ++k)
      content[k] =
          kind == 4 ? static_cast<uint8_t>(random()) : static_cast<uint8_t>("<TEXT>\r\n"[(k + i) % 8]);
    if (kind == 2) content.insert(content.begin(), {'O', 'g', 'g', 'S'});
    if (kind == 3) content.insert(content.begin(), {'R', 'I', 'F', 'F'});
    if (kind == 1) content.insert(content.begin(), {0x89, 'P', 'N', 'G'});
    tree[name] = content;
  }
  return tree;
}

TEST(ArchiveTreeTest, PackThenExtractGivesBackEveryFile) {
  CTempDir dir;
  Tree tree = MakeTree(2500);
  for (const auto& [name, content] : tree) CTempDir::Write("in/" + name, content);
  // A name that is not UTF-8 is taken as Shift JIS and comes back as UTF-8 ("ファ").
  CTempDir::Write("in/\x83\x74\x83\x40.txt", "sjis name");
  tree[U8(u8"ファ.txt")] = {'s', 'j', 'i', 's', ' ', 'n', 'a', 'm', 'e'};
  std::string error;
  ASSERT_TRUE(CArchiveTree::Pack("game.arc", "in", error)) << error;
  ASSERT_TRUE(CArchiveTree::Extract("game.arc", "out", error)) << error;
  const Tree extracted = ReadTree("out");
  ASSERT_EQ(extracted.size(), tree.size());
  for (const auto& [name, content] : tree) {
    auto it = extracted.find(name);
    ASSERT_NE(it, extracted.end()) << name;
    EXPECT_EQ(it->second, content) << name;
  }
  // Three kinds in seven are text and compressed; images and sounds are stored at full size.
  size_t total = 0;
  for (const auto& [name, content] : tree) total += content.size();
  EXPECT_LT(fs::file_size("game.arc"), total * 7 / 10);
}

TEST(ArchiveTreeTest, RefusesNamesThatLeaveTheFolder) {
  std::string path;
  EXPECT_TRUE(CArchiveTree::OutputPath("bg\\\x94\x77\x8C\x69.png", path));
  EXPECT_EQ(path, "bg/\xE8\x83\x8C\xE6\x99\xAF.png");
  // 0x95 0x5C is one character, not a separator.
  EXPECT_TRUE(CArchiveTree::OutputPath("\x95\\.txt", path));
  EXPECT_EQ(path, "\xE8\xA1\xA8.txt");
  for (const char* bad : {"..\\x", "a\\..\\..\\x", "\\root", "a\\\\b", "a\\", ".", "a/../b"})
    EXPECT_FALSE(CArchiveTree::OutputPath(bad, path)) << bad;
  EXPECT_FALSE(CArchiveTree::OutputPath(std::string("a\0b", 3), path));

  CTempDir dir;
  CTempDir::Write("evil.arc", BuildArchive({{"ok.txt", 2, LiteralsOnly("ok")},
                                            {"..\\evil.txt", 3, LiteralsOnly("bad")}}));
  std::string error;
  EXPECT_FALSE(CArchiveTree::Extract("evil.arc", "out", error));
  EXPECT_NE(error.find("unsafe entry name"), std::string::npos);
  EXPECT_FALSE(fs::exists("out/ok.txt"));
  EXPECT_FALSE(fs::exists("evil.txt"));
}

TEST(ArchiveTreeTest, ReportsUnpackableInput) {
  CTempDir dir;
  std::string error;
  EXPECT_FALSE(CArchiveTree::Pack("a.arc", "missing", error));
  EXPECT_EQ(error, "missing: not a folder");
  CTempDir::Write("in/" + std::string(130, 'a') + "/" + std::string(130, 'b'), "x");
  EXPECT_FALSE(CArchiveTree::Pack("a.arc", "in", error));
  EXPECT_NE(error.find("longer than 255 bytes"), std::string::npos);
  CTempDir::Write("bad.arc", BuildArchive({{"cut.txt", 40, LiteralsOnly("short")}}));
  EXPECT_FALSE(CArchiveTree::Extract("bad.arc", "out", error));
  EXPECT_NE(error.find("damaged"), std::string::npos);
  std::string sjis;
  EXPECT_TRUE(CArchiveTree::ToShiftJisName("\x82\xA0", sjis));  // not UTF-8: kept as Shift JIS
  EXPECT_EQ(sjis, "\x82\xA0");
  EXPECT_FALSE(CArchiveTree::ToShiftJisName("\xF0\x9F\x98\x80", sjis));  // an emoji has no Shift JIS form
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "io/ArchiveWriter.h"
#include "io/PackArchive.h"
#include "io/ShiftJis.h"
#include "io/TempDir.h"
#include "persist/Settings.h"
#include "platform/VirtualKeys.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

class SettingsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    CPackArchive::Instance().UnmountAll();
    settings::SetSaveDirectoryOverride("");
  }
  // Packs the files into the "system" archive of the temporary game folder.
  static void WriteSystem(const std::vector<std::pair<std::string, std::string>>& files) {
    std::vector<std::pair<std::string, std::vector<uint8_t>>> entries;
    for (const auto& [name, text] : files) entries.emplace_back(name, Bytes(text));
    ASSERT_TRUE(CArchiveWriter::WriteAll("system", entries));
  }
  static bool Load() {
    testing::internal::CaptureStderr();
    bool ok = settings::LoadSettings();
    errors = testing::internal::GetCapturedStderr();
    return ok;
  }

  CTempDir dir;
  static inline std::string errors;
};

TEST_F(SettingsTest, MissingSystemArchiveFailsWithTheFileError) {
  EXPECT_FALSE(Load());
  EXPECT_EQ(errors,
            "error: system " + std::string("\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\xE3\x81\x8C"
                                           "\xE9\x96\x8B\xE3\x81\x91\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93\n"));
}

TEST_F(SettingsTest, DefaultsWithoutASettingsFile) {
  WriteSystem({{"other.txt", "x"}});
  EXPECT_TRUE(Load());
  EXPECT_NE(errors.find("system\\setting.csv"), std::string::npos);
  EXPECT_EQ(settings::ScreenWidth(), 800);
  EXPECT_EQ(settings::ScreenHeight(), 600);
  EXPECT_EQ(settings::LinePitch(), 36);
  EXPECT_EQ(settings::ReadTextColor(), 0xFFFFFFFFu);
  EXPECT_EQ(settings::NameColor(), 0xFFFF8080u);
  EXPECT_EQ(settings::FontName(), "ＭＳ ゴシック");
  EXPECT_EQ(settings::GetSetting("開始スクリプト", "scenario\\mainScript.adv"), "scenario\\mainScript.adv");
  EXPECT_EQ(settings::SaveDirectory(), "save/");
  EXPECT_TRUE(settings::Extras().Album().empty());
}

TEST_F(SettingsTest, AppliesEveryRowKind) {
  std::string csv =
      "項目,パラメータ\r\n"
      "タイトル,テスト\r\n"
      "タイトル,二番目\r\n"
      "画面解像度,1280,720\r\n"
      "セーブファイル数,20\r\n"
      "フェード時間,0\r\n"
      "ダイアログ開閉時間,5\r\n"
      "フォント名,IPAGothic\r\n"
      "フォントサイズ,20\r\n"
      "フォント行間,0\r\n"
      "フォント色,#ff8040\r\n"
      "フォント効果,影\r\n"
      "フォント効果の色,80102030\r\n"
      "既読選択肢の色,00ff00\r\n"
      "AP,あり\r\n"
      "時間経過,1:30\r\n"
      "時刻,6:00,12:00,18:00\r\n"
      "マップ1,a.scn,b.scn,c.scn\r\n"
      "時刻,1:00\r\n"
      "共有変数,flag1\r\n"
      "共有変数,flag1\r\n"
      "共有変数,flag2\r\n"
      "ショートカットキー,ログ,SHIFT+F5\r\n"
      "ショートカットキー,オート,F25\r\n"
      "禁則文字,、。\r\n"
      "コンフィグ,中速\r\n"
      "コンフィグ,BGM,50\r\n"
      "キーワード,主人公の名前,太郎\r\n"
      "未知の行,x\r\n";
  for (int i = 0; i < 33; ++i) csv += "ボイス分類,声" + std::to_string(i) + ",v" + std::to_string(i) + "\r\n";
  WriteSystem({{"setting.csv", csv}});
  ASSERT_TRUE(Load());
  EXPECT_EQ(errors, "");
  EXPECT_EQ(settings::GetTitle(), "テスト");
  EXPECT_EQ(settings::GetSetting("未知の行", "d"), "x");
  EXPECT_EQ(settings::ScreenWidth(), 1280);
  EXPECT_EQ(settings::ScreenHeight(), 720);
  EXPECT_EQ(settings::SaveSlotCount(), 20);
  EXPECT_EQ(settings::FadeTime(), 1);
  EXPECT_EQ(settings::DialogTime(), 5);
  EXPECT_EQ(settings::WindowTime(), 10);
  EXPECT_EQ(settings::FontName(), "IPAGothic");
  EXPECT_EQ(settings::DefaultFontName(), "IPAGothic");
  EXPECT_EQ(settings::LinePitch(), 30);
  EXPECT_EQ(settings::FontColor(), 0xFFFF8040u);
  EXPECT_EQ(settings::ReadTextColor(), 0xFFFF8040u);
  EXPECT_EQ(settings::ReadChoiceColor(), 0xFF00FF00u);
  EXPECT_EQ(settings::TextEffect(), settings::ETextEffect::kShadow);
  EXPECT_EQ(settings::EffectColor(), 0x80102030u);
  EXPECT_TRUE(settings::IsApEnabled());
  EXPECT_EQ(settings::TimeStep(), 90);
  EXPECT_EQ(settings::MapTable().TimeSlots(), (std::vector<int>{360, 720, 1080}));
  EXPECT_EQ(settings::MapTable().Layout(1, 1), "b.scn");
  EXPECT_EQ(settings::SharedVariableNames(), (std::vector<std::string>{"flag1", "flag2"}));
  EXPECT_EQ(settings::ShortcutKeys().Get("ログ"), (CShortcutKeys::SShortcut{vk::kF1 + 4, true}));
  EXPECT_EQ(settings::ShortcutKeys().Get("オート"), (CShortcutKeys::SShortcut{0, false}));
  EXPECT_EQ(settings::KinsokuCharacters(), "、。");
  ASSERT_EQ(settings::VoiceCategories().size(), 32u);
  EXPECT_EQ(settings::VoiceCategories()[31].name, "声31");
  EXPECT_EQ(settings::VoiceCategories()[31].value, "v31");
  EXPECT_EQ(settings::Config().TextSpeed(), 50);
  EXPECT_EQ(settings::Config().ChannelVolume(1), 128);
  EXPECT_EQ(settings::Keywords().Get("主人公の名前"), "太郎");
  settings::Keywords().Set("主人公の名前", "花子");
  settings::Config().SetValue(CPlayerConfig::kVolumeBgm, 10);
  settings::ResetConfig();
  EXPECT_EQ(settings::Config().ChannelVolume(1), 128);
  EXPECT_EQ(settings::Keywords().GetDefault("主人公の名前"), "太郎");
}

TEST_F(SettingsTest, ArchivesComeBeforeLooseFiles) {
  ASSERT_TRUE(CArchiveWriter::WriteAll("data.arc", {{"both.txt", Bytes("packed")}}));
  WriteSystem({{"setting.csv", "項目,パラメータ\nアーカイブ,data.arc,data\n"}});
  CTempDir::Write("data/both.txt", "loose");
  CTempDir::Write("Data/Only.txt", "loose only");
  ASSERT_TRUE(Load());
  std::vector<uint8_t> content;
  ASSERT_TRUE(CPackArchive::Instance().LoadFile("data\\both.txt", content));
  EXPECT_EQ(content, Bytes("packed"));
  ASSERT_TRUE(CPackArchive::Instance().LoadFile("DATA\\ONLY.TXT", content));
  EXPECT_EQ(content, Bytes("loose only"));
}

TEST_F(SettingsTest, MountsFurtherArchivesAndFailsOnAMissingOne) {
  ASSERT_TRUE(CArchiveWriter::WriteAll("data.arc", {{"bg.txt", Bytes("from data")}}));
  WriteSystem({{"setting.csv", "項目,パラメータ\nアーカイブ,data.arc,data\n"}});
  ASSERT_TRUE(Load());
  std::vector<uint8_t> content;
  ASSERT_TRUE(CPackArchive::Instance().LoadFile("DATA\\BG.TXT", content));
  EXPECT_EQ(content, Bytes("from data"));

  WriteSystem({{"setting.csv", "項目,パラメータ\nアーカイブ,data.arc,data\nアーカイブ,gone.arc,x\n"}});
  EXPECT_FALSE(Load());
  EXPECT_EQ(errors.rfind("error: gone.arc ", 0), 0u) << errors;
}

// The sample game's own settings file loads without a message and mounts its second archive.
TEST_F(SettingsTest, SampleGameSettingsLoad) {
  std::ifstream in(std::string(ZEL_SOURCE_DIR) + "/sample/game/system/setting.csv", std::ios::binary);
  std::string utf8((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  bool ok = false;
  WriteSystem({{"setting.csv", sjis::FromUtf8(utf8, &ok)}});
  ASSERT_TRUE(ok);
  ASSERT_TRUE(CArchiveWriter::WriteAll("extra.arc", {{"readme.txt", Bytes("x")}}));
  ASSERT_TRUE(Load());
  EXPECT_EQ(errors, "");
  EXPECT_EQ(settings::GetTitle(), "ZEL サンプルゲーム");
  EXPECT_EQ(settings::ScreenWidth(), 800);
  EXPECT_EQ(settings::ScreenHeight(), 600);
  EXPECT_EQ(settings::TextEffect(), settings::ETextEffect::kEdge);
  EXPECT_EQ(settings::ShortcutKeys().Get("スキップ"), (CShortcutKeys::SShortcut{'S', true}));
  EXPECT_TRUE(CPackArchive::Instance().Exists("extra\\readme.txt"));
}

TEST_F(SettingsTest, ReadsTheExtrasLists) {
  WriteSystem({{"setting.csv", "項目,パラメータ\n"},
               {"album\\list.csv", "サムネイル,画像,,,カテゴリ\nt1.png,a.png,b.png,,2\nt2.png,,c.png,,x\n"},
               {"flashback\\list.csv", "カテゴリ,シナリオ,サムネイル\n1,fb1.adv,f.png\n"},
               {"music\\list.csv", "タイトル,ファイル,サムネイル,画像\n曲,bgm01.ogg,m.png\n"}});
  ASSERT_TRUE(Load());
  auto& album = settings::Extras().Album();
  ASSERT_EQ(album.size(), 2u);
  EXPECT_EQ(album[0].images, (std::vector<std::string>{"a.png", "b.png"}));
  EXPECT_EQ(album[0].category, 2);
  EXPECT_TRUE(album[1].images.empty());
  ASSERT_EQ(settings::Extras().Flashback().size(), 1u);
  EXPECT_EQ(settings::Extras().Flashback()[0].scenario, "fb1.adv");
  EXPECT_EQ(settings::Extras().Flashback()[0].category, 1);
  ASSERT_EQ(settings::Extras().Music().size(), 1u);
  EXPECT_EQ(settings::Extras().Music()[0].title, "曲");
  EXPECT_EQ(settings::Extras().Music()[0].image, "");
}

TEST_F(SettingsTest, SaveFolderUnderTheUserDataFolderOrTheOverride) {
  WriteSystem({{"setting.csv", "項目,パラメータ\nセーブフォルダ,ゲーム\\save\n"}});
  const char* previous = std::getenv("XDG_DATA_HOME");
  std::string kept = previous ? previous : "";
  setenv("XDG_DATA_HOME", "/data/home", 1);
  ASSERT_TRUE(Load());
  EXPECT_EQ(settings::SaveDirectory(), "/data/home/\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0/save/");
  settings::SetSaveDirectoryOverride("/tmp/saves");
  EXPECT_EQ(settings::SaveDirectory(), "/tmp/saves/");
  settings::SetSaveDirectoryOverride("");
  // A folder that would leave the per-user data folder keeps the default in the game folder.
  for (const char* escape :
       {"セーブフォルダ,..\\..\\etc\n", "セーブフォルダ,/etc\n", "セーブフォルダ,a\\..\\..\n"}) {
    WriteSystem({{"setting.csv", std::string("項目,パラメータ\n") + escape}});
    ASSERT_TRUE(Load());
    EXPECT_EQ(settings::SaveDirectory(), "save/") << escape;
  }
  if (previous)
    setenv("XDG_DATA_HOME", kept.c_str(), 1);
  else
    unsetenv("XDG_DATA_HOME");
}

}  // namespace

// Sizes no display or font can have are bounded when the settings are read: a screen beyond the
// display's limit keeps the default with the file error, a huge font size is clamped.
TEST_F(SettingsTest, OutOfRangeSizesAreBounded) {
  for (const char* screen : {"画面解像度,100000,100000\r\n", "画面解像度,640,2147483647\r\n"}) {
    WriteSystem({{"setting.csv", std::string("項目,パラメータ\r\n") + screen +
                                     "フォントサイズ,2000000000\r\nフォント行間,0\r\n"}});
    ASSERT_TRUE(Load());
    EXPECT_EQ(settings::ScreenWidth(), 800) << screen;
    EXPECT_EQ(settings::ScreenHeight(), 600);
    EXPECT_NE(errors.find("system\\setting.csv"), std::string::npos);
    EXPECT_EQ(settings::FontSize(), 1024);
    EXPECT_EQ(settings::LinePitch(), 1536);
  }
  WriteSystem({{"setting.csv", "項目,パラメータ\r\n画面解像度,8192,8192\r\n"}});
  ASSERT_TRUE(Load());
  EXPECT_EQ(settings::ScreenWidth(), 8192);
  EXPECT_TRUE(errors.empty()) << errors;
}

// Damaged settings files still load: huge lines, thousands of columns, NUL bytes and bytes that are
// not Shift JIS give rows the loader skips or reads as text, and the rows around them still apply.
TEST_F(SettingsTest, DamagedSettingsFilesStillLoad) {
  std::string columns;
  for (int i = 0; i < 5000; ++i) columns += ",c" + std::to_string(i);
  const std::string csv = std::string("項目,パラメータ\r\n") + "タイトル," + std::string(3 << 20, 'x') +
                          "\r\n" + "画面解像度,640,480" + columns + "\r\n" +
                          std::string("共有変数,a\0b\r\n", 12) + "\x81\x81\xFF\xFE,\x80\xA0\xFD\r\n" +
                          "ボイス分類,\x81,\xFC\r\n" + "セーブファイル数,7\r\n";
  WriteSystem({{"setting.csv", csv}});
  ASSERT_TRUE(Load());
  EXPECT_EQ(settings::ScreenWidth(), 640);
  EXPECT_EQ(settings::ScreenHeight(), 480);
  EXPECT_EQ(settings::SaveSlotCount(), 7);
  EXPECT_EQ(settings::GetTitle().size(), size_t{3} << 20);
}

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "io/ArchiveWriter.h"
#include "io/AtomicFile.h"
#include "io/PackArchive.h"
#include "io/Path.h"
#include "io/TempDir.h"
#include "persist/Settings.h"
#include "persist/SystemData.h"

namespace {

// The engine's side of system.dat: shared variables and read flags.
class CFakeHost : public ISystemDataHost {
 public:
  std::map<std::string, int32_t> SharedVariables() const override { return shared; }
  std::map<std::string, std::string> Keywords() const override { return keywords; }
  std::map<std::string, std::vector<uint8_t>> ReadFlagArrays() const override { return flags; }
  std::map<std::string, int32_t> shared;
  std::map<std::string, std::string> keywords;
  std::map<std::string, std::vector<uint8_t>> flags;
};

const char* const kSettings =
    "項目,パラメータ\n"
    "フォント名,ＭＳ 明朝\n"
    "共有変数,CLEARED\n"
    "共有変数,ROUTE\n"
    "キーワード,主人公の名前,あなた\n"
    "キーワード,相手,彼女\n"
    "ボイス分類,ヒロイン,v_h\n";

class SystemDataTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteGame(kSettings, 8); }
  void TearDown() override {
    CSystemData::Instance().Detach(&host);
    CAtomicFile::InjectFault(CAtomicFile::EFault::kNone);
    CPackArchive::Instance().UnmountAll();
    SetBaseDirectory("");
  }
  // The system archive with the settings and an album list of albumSize entries.
  static void WriteGame(const std::string& settingsText, int albumSize) {
    std::string album = "サムネイル,画像,カテゴリ\n";
    for (int i = 0; i < albumSize; ++i) album += "t.png,a" + std::to_string(i) + ".png,0\n";
    auto bytes = [](const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); };
    ASSERT_TRUE(
        CArchiveWriter::WriteAll("system", {{"setting.csv", bytes(settingsText)},
                                            {"album\\list.csv", bytes(album)},
                                            {"flashback\\list.csv", bytes("シナリオ\nf1.adv\nf2.adv\n")},
                                            {"music\\list.csv", bytes("ファイル\nm.ogg\n")}}));
  }
  static bool Load() {
    CPackArchive::Instance().UnmountAll();
    return settings::LoadSettings() && std::filesystem::exists("save/system.dat");
  }
  static std::vector<std::string> Tags(const std::string& path) {
    CRecordFile record;
    std::vector<std::string> tags;
    if (!record.LoadFromFile(path)) return tags;
    while (record.NextChunk()) tags.push_back(record.Tag());
    return tags;
  }
  // A system.dat body built chunk by chunk by the test.
  static void WriteRecord(const std::function<void(CRecordFile&)>& build) {
    CRecordFile record;
    build(record);
    record.WriteEmptyChunk("END ");
    ASSERT_TRUE(record.WriteToFile("save/system.dat"));
  }

  CTempDir dir;
  CFakeHost host;
};

TEST_F(SystemDataTest, EveryChunkIsWrittenInOrderAndReadBack) {
  settings::LoadSettings();
  CSystemData& data = CSystemData::Instance();
  CPlayerConfig& config = settings::Config();
  const int items[] = {0, 1, 3, 4, 5, 6, 7, 8, 9, 10};
  for (int item : items)
    config.SetValue(item, item == 3 ? 70 : item >= 7 ? 100 + item : 1 - config.Value(item));
  config.SetVoiceMask(0x5);
  settings::Extras().Album()[2].seen = true;
  settings::Extras().Flashback()[1].seen = true;
  settings::Extras().Music()[0].unlocked = true;
  settings::Keywords().Set("主人公の名前", "太郎");
  settings::SetFontName("IPAGothic");
  data.SetLastSlot(42);
  host.shared = {{"CLEARED", 3}, {"ROUTE", -7}};
  host.flags = {{"scenario\\main.adv", std::vector<uint8_t>{0x81, 0, 0, 0}}};
  data.Attach(&host);
  ASSERT_TRUE(CSystemData::WriteSystemData());
  EXPECT_EQ(Tags("save/system.dat"),
            (std::vector<std::string>{"VAR ", "SCRN", "SKEF", "SPED", "SKNW", "SKCN", "SWRD",
                                      "ATSP", "VOL0", "VOL1", "VOL2", "ALBM", "FLSH", "MSIC",
                                      "KYWD", "FILE", "READ", "VCMS", "FONT", "END "}));
  data.Detach(&host);

  // A fresh start reads everything back.
  settings::LoadSettings();
  for (int item : items)
    EXPECT_EQ(settings::Config().Value(item), item == 3   ? 70
                                              : item >= 7 ? 100 + item
                                                          : 1 - CPlayerConfig().Value(item))
        << item;
  EXPECT_EQ(settings::Config().VoiceMask(), 0x5u);
  EXPECT_TRUE(settings::Extras().Album()[2].seen);
  EXPECT_FALSE(settings::Extras().Album()[1].seen);
  EXPECT_TRUE(settings::Extras().Flashback()[1].seen);
  EXPECT_TRUE(settings::Extras().Music()[0].unlocked);
  EXPECT_EQ(settings::Keywords().Get("主人公の名前"), "太郎");
  EXPECT_EQ(settings::FontName(), "IPAGothic");
  EXPECT_EQ(settings::DefaultFontName(), "ＭＳ 明朝");
  EXPECT_EQ(data.LastSlot(), 42);
  EXPECT_EQ(data.SharedVariables(), (std::map<std::string, int32_t>{{"CLEARED", 3}, {"ROUTE", -7}}));
  EXPECT_EQ(data.ReadFlagArrays(), host.flags);
  EXPECT_FALSE(data.HasQuickSave());
}

TEST_F(SystemDataTest, ChunksThatEqualTheirDefaultsAreLeftOut) {
  settings::LoadSettings();
  settings::Keywords().Set("相手", "彼女");  // set back to its default
  ASSERT_TRUE(CSystemData::WriteSystemData());
  const std::vector<std::string> tags = Tags("save/system.dat");
  EXPECT_EQ(std::count(tags.begin(), tags.end(), "KYWD"), 0);
  EXPECT_EQ(std::count(tags.begin(), tags.end(), "FONT"), 0);
  EXPECT_EQ(std::count(tags.begin(), tags.end(), "READ"), 0);
  EXPECT_EQ(tags.back(), "END ");
}

TEST_F(SystemDataTest, KeywordsChangedInTheEngineOrTheSettingsAreKept) {
  settings::LoadSettings();
  CSystemData& data = CSystemData::Instance();
  host.keywords = {{"主人公の名前", "あなた"}, {"相手", "花子"}, {"未宣言", "x"}};
  settings::Keywords().Set("主人公の名前", "太郎");
  data.Attach(&host);
  ASSERT_TRUE(CSystemData::WriteSystemData());
  data.Detach(&host);
  settings::LoadSettings();
  EXPECT_EQ(settings::Keywords().Get("主人公の名前"), "太郎");
  EXPECT_EQ(settings::Keywords().Get("相手"), "花子");
  EXPECT_FALSE(settings::Keywords().Has("未宣言"));
}

TEST_F(SystemDataTest, UndeclaredNamesAreDroppedAndBadValuesMended) {
  WriteRecord([](CRecordFile& r) {
    r.BeginChunk("VAR ");
    r.WriteString("GONE");
    r.WriteInt32(9);
    r.WriteString("ROUTE");
    r.WriteInt32(4);
    r.BeginChunk("KYWD");
    r.WriteString("消えた");
    r.WriteString("x");
    r.BeginChunk("VOL0");
    r.WriteInt32(100000);
    r.BeginChunk("SPED");
    r.WriteInt32(-3);
    r.BeginChunk("FONT");
    r.WriteString("");
    r.BeginChunk("FILE");
    r.WriteInt32(100);     // one past the hundred slots
    r.BeginChunk("ZZZZ");  // unknown: skipped
    r.WriteInt32(1);
    r.EndChunk();
  });
  ASSERT_TRUE(Load());
  CSystemData& data = CSystemData::Instance();
  EXPECT_EQ(data.SharedVariables(), (std::map<std::string, int32_t>{{"CLEARED", 0}, {"ROUTE", 4}}));
  EXPECT_FALSE(settings::Keywords().Has("消えた"));
  EXPECT_EQ(settings::Config().Value(CPlayerConfig::kVolumeBgm), 256);
  EXPECT_EQ(settings::Config().TextSpeed(), 0);
  EXPECT_EQ(settings::FontName(), "ＭＳ 明朝");
  EXPECT_EQ(data.LastSlot(), 0);

  ASSERT_TRUE(CSystemData::WriteSystemData());
  CRecordFile record;
  ASSERT_TRUE(record.LoadFromFile("save/system.dat"));
  ASSERT_TRUE(record.NextChunk());
  EXPECT_EQ(record.Tag(), "VAR ");
  EXPECT_EQ(record.ReadString(), "CLEARED");
  EXPECT_EQ(record.ReadInt32(), 0);
  EXPECT_EQ(record.ReadString(), "ROUTE");
  EXPECT_EQ(record.ReadInt32(), 4);
  EXPECT_EQ(record.Remaining(), 0u);
}

TEST_F(SystemDataTest, BitSetsOfAnotherLengthApplyWhereBothHaveEntries) {
  auto writeTenAlbumBits = [] {
    WriteRecord([](CRecordFile& r) {
      r.BeginChunk("ALBM");
      r.WriteBits(std::vector<bool>(10, true));
      r.EndChunk();
    });
  };
  writeTenAlbumBits();
  ASSERT_TRUE(Load());
  EXPECT_EQ(settings::Extras().Album().size(), 8u);
  for (const SAlbumEntry& entry : settings::Extras().Album()) EXPECT_TRUE(entry.seen);

  WriteGame(kSettings, 12);
  writeTenAlbumBits();
  settings::LoadSettings();
  std::vector<SAlbumEntry>& album = settings::Extras().Album();
  EXPECT_TRUE(album[9].seen);
  EXPECT_FALSE(album[10].seen);
  // Flags beyond the stored count keep the value they have.
  album[10].seen = album[11].seen = true;
  CRecordFile record;
  ASSERT_TRUE(record.LoadFromFile("save/system.dat"));
  CSystemData::Instance().Apply(record);
  EXPECT_TRUE(album[10].seen);
  EXPECT_TRUE(album[11].seen);
}

TEST_F(SystemDataTest, ReadFlagNamesAreStoredRelativeToTheBaseDirectory) {
  settings::LoadSettings();
  SetBaseDirectory("scenario\\x.adv");
  host.flags = {{"scenario\\main.adv", std::vector<uint8_t>(8, 0xFF)}, {"other\\b.adv", {1, 0, 0, 0}}};
  CSystemData& data = CSystemData::Instance();
  data.Attach(&host);
  ASSERT_TRUE(data.Write("save/system.dat"));
  data.Detach(&host);
  CRecordFile record;
  ASSERT_TRUE(record.LoadFromFile("save/system.dat"));
  std::vector<std::string> names;
  while (record.NextChunk())
    if (record.Tag() == "READ") {
      names.push_back(record.ReadString());
      const int32_t capacity = record.ReadInt32();
      EXPECT_EQ(capacity, static_cast<int32_t>(record.Remaining() * 8));
    }
  EXPECT_EQ(names, (std::vector<std::string>{"..\\other\\b.adv", "main.adv"}));

  data.Clear();
  ASSERT_TRUE(data.Read("save/system.dat"));
  EXPECT_EQ(data.ReadFlagArrays(), host.flags);
}

TEST_F(SystemDataTest, DamagedReadChunksAreSkipped) {
  WriteRecord([](CRecordFile& r) {
    for (int32_t capacity : {-32, 0, 64, 1 << 30}) {
      r.BeginChunk("READ");
      r.WriteString("s" + std::to_string(capacity) + ".adv");
      r.WriteInt32(capacity);
      r.WriteInt32(0x01020304);
    }
    r.BeginChunk("READ");
    r.WriteString("good.adv");
    r.WriteInt32(32);
    r.WriteInt32(0x01020304);
    r.EndChunk();
  });
  ASSERT_TRUE(Load());
  EXPECT_EQ(CSystemData::Instance().ReadFlagArrays(),
            (std::map<std::string, std::vector<uint8_t>>{{"good.adv", {4, 3, 2, 1}}}));
}

TEST_F(SystemDataTest, QuickSaveFlagComesFromAValidQuickSaveFile) {
  settings::LoadSettings();
  EXPECT_FALSE(CSystemData::Instance().HasQuickSave());
  CRecordFile quick;
  quick.WriteEmptyChunk("END ");
  ASSERT_TRUE(quick.WriteToFile("save/qsave.dat"));
  settings::LoadSettings();
  EXPECT_TRUE(CSystemData::Instance().HasQuickSave());
  std::vector<uint8_t> bytes = CTempDir::Read("save/qsave.dat");
  bytes.back() ^= 1;
  CTempDir::Write("save/qsave.dat", bytes);
  settings::LoadSettings();
  EXPECT_FALSE(CSystemData::Instance().HasQuickSave());
}

TEST_F(SystemDataTest, DamagedFileLeavesTheDefaultsAndAFailedWriteTheOldFile) {
  settings::LoadSettings();
  settings::Config().SetValue(CPlayerConfig::kVolumeSe, 12);
  CSystemData::Instance().SetLastSlot(5);
  ASSERT_TRUE(CSystemData::WriteSystemData());
  const std::vector<uint8_t> good = CTempDir::Read("save/system.dat");

  settings::Config().SetValue(CPlayerConfig::kVolumeSe, 99);
  CAtomicFile::InjectFault(CAtomicFile::EFault::kWrite);
  EXPECT_FALSE(CSystemData::WriteSystemData());
  CAtomicFile::InjectFault(CAtomicFile::EFault::kNone);
  EXPECT_EQ(CTempDir::Read("save/system.dat"), good);

  std::vector<uint8_t> damaged = good;
  damaged[20] ^= 0x10;
  CTempDir::Write("save/system.dat", damaged);
  CTempDir::Write(std::string("save/system.dat") + CAtomicFile::kTempSuffix, "killed mid-write");
  EXPECT_FALSE(CSystemData::ReadSystemData());
  EXPECT_EQ(settings::Config().Value(CPlayerConfig::kVolumeSe), 99);  // untouched by the damaged file
  EXPECT_EQ(CSystemData::Instance().LastSlot(), 0);
  EXPECT_FALSE(std::filesystem::exists(std::string("save/system.dat") + CAtomicFile::kTempSuffix));
}

TEST_F(SystemDataTest, CalmMomentWritesOnlyChangesAndAtMostEveryInterval) {
  settings::LoadSettings();
  CSystemData& data = CSystemData::Instance();
  data.Attach(&host);
  ASSERT_TRUE(CSystemData::WriteSystemData());
  const uint32_t interval = CSystemData::kWriteIntervalMs;
  EXPECT_FALSE(data.WriteIfChanged(interval));  // nothing changed
  host.flags["a.adv"] = {1, 0, 0, 0};
  EXPECT_FALSE(data.WriteIfChanged(interval + 100));  // too soon after the last check
  std::vector<std::string> tags = Tags("save/system.dat");
  EXPECT_EQ(std::count(tags.begin(), tags.end(), "READ"), 0);
  EXPECT_TRUE(data.WriteIfChanged(2 * interval));
  tags = Tags("save/system.dat");
  EXPECT_EQ(std::count(tags.begin(), tags.end(), "READ"), 1);
  host.shared["ROUTE"] = 2;
  EXPECT_FALSE(data.WriteIfChanged(3 * interval - 1));
  EXPECT_TRUE(data.WriteIfChanged(3 * interval));
  EXPECT_FALSE(data.WriteIfChanged(4 * interval));

  // A detached engine leaves its values behind for the write at shutdown.
  data.Detach(&host);
  host.shared["ROUTE"] = 100;
  ASSERT_TRUE(CSystemData::WriteSystemData());
  data.Clear();
  ASSERT_TRUE(data.Read("save/system.dat"));
  EXPECT_EQ(data.SharedVariables().at("ROUTE"), 2);
}

}  // namespace

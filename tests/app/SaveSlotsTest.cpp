// Save slots and their failure paths: failed writes keep the old file, the snapshot ring, damaged
// files, thumbnails and summaries, and records written by other writers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "SaveFuzzTarget.h"
#include "SaveGameFixture.h"
#include "io/AtomicFile.h"
#include "persist/RecordFile.h"
#include "script/ScriptRunner.h"
#include "ui/MessageText.h"

namespace {

using enum CGameSystem::EMode;
namespace fs = std::filesystem;

const char* const kTwoPages =
    "<EXP EXP=\"page = 1\">一ページ目。\n\n<EXP EXP=\"page = 2\">二ページ目。\n\n三。\n\n";

// The tags of a record body in order.
std::vector<std::string> Tags(CRecordFile& record) {
  std::vector<std::string> tags;
  while (record.NextChunk()) tags.push_back(record.Tag());
  return tags;
}

}  // namespace

class SaveSlots : public CSaveGameFixture {
 protected:
  SEngine& AtFirstPage() {
    SEngine& a = StartGame(kTwoPages);
    EXPECT_TRUE(a.RunUntil([&] { return a.game.Mode() == kModeClickWaitPage; }));
    return a;
  }
  void NextPage(SEngine& a) {
    a.Key(vk::kReturn);
    EXPECT_TRUE(a.RunUntil([&] { return a.game.Mode() == kModeClickWaitPage; }));
  }
  std::string SavePath(const std::string& name) { return dir.path.string() + "/save/" + name; }
};

TEST_F(SaveSlots, AFailedWriteKeepsTheOldSaveAndReportsFalse) {
  SEngine& a = AtFirstPage();
  ASSERT_TRUE(a.game.SaveGame(0));
  const std::vector<uint8_t> before = CTempDir::Read(SavePath("save0.dat"));
  ASSERT_FALSE(before.empty());
  NextPage(a);
  for (CAtomicFile::EFault fault : {CAtomicFile::EFault::kCreate, CAtomicFile::EFault::kWrite,
                                    CAtomicFile::EFault::kSync, CAtomicFile::EFault::kRename}) {
    CAtomicFile::InjectFault(fault);
    EXPECT_FALSE(a.game.SaveGame(0));
    CAtomicFile::InjectFault(CAtomicFile::EFault::kNone);
    EXPECT_EQ(CTempDir::Read(SavePath("save0.dat")), before);
  }
  // The slot still holds the first page.
  ASSERT_TRUE(a.game.LoadGame(0));
  EXPECT_EQ(a.game.Variables().GetVariable("page"), 1);
  if (geteuid() == 0) return;  // permissions do not bind root
  fs::permissions(SavePath(""), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(a.game.SaveGame(0));
  fs::permissions(SavePath(""), fs::perms::owner_all);
  EXPECT_EQ(CTempDir::Read(SavePath("save0.dat")), before);
}

TEST_F(SaveSlots, AFailedSaveIsTracedAsNotOk) {
  SEngine& a = AtFirstPage();
  ASSERT_TRUE(CTrace::Open(dir.path.string() + "/t.jsonl"));
  CAtomicFile::InjectFault(CAtomicFile::EFault::kWrite);
  a.game.SaveGame(5);
  CAtomicFile::InjectFault(CAtomicFile::EFault::kNone);
  a.game.SaveGame(5);
  a.game.LoadGame(6);
  CTrace::Close();
  std::ifstream in(dir.path.string() + "/t.jsonl");
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(all.find("\"event\":\"save\",\"slot\":5,\"ok\":false"), std::string::npos) << all;
  EXPECT_NE(all.find("\"event\":\"save\",\"slot\":5,\"ok\":true"), std::string::npos) << all;
  EXPECT_NE(all.find("\"event\":\"load\",\"slot\":6,\"ok\":false"), std::string::npos) << all;
}

TEST_F(SaveSlots, SnapshotRingKeepsEightNewestFirstAndAFileLoadEmptiesIt) {
  SEngine& a = AtFirstPage();
  for (int i = 1; i <= 9; ++i) {
    a.game.Variables().SetVariable("snap", i);
    ASSERT_TRUE(a.game.SaveGame(CGameSaves::kSnapshotSlot));
  }
  CSnapshotRing& ring = a.game.Saves().Snapshots();
  EXPECT_EQ(ring.Size(), 8u);
  // Loading the newest removes it; the next one is the one before.
  ASSERT_TRUE(a.game.LoadGame(CGameSaves::kSnapshotSlot));
  EXPECT_EQ(a.game.Variables().GetVariable("snap"), 9);
  ASSERT_TRUE(a.game.LoadGame(CGameSaves::kSnapshotSlot));
  EXPECT_EQ(a.game.Variables().GetVariable("snap"), 8);
  EXPECT_EQ(ring.Size(), 6u);
  // The oldest kept is the second snapshot: the first was dropped by the ninth.
  EXPECT_EQ(ring.At(5).empty(), false);
  CRecordFile oldest(ring.At(5));
  ASSERT_TRUE(oldest.NextChunk());
  ASSERT_EQ(oldest.Tag(), "VAR ");
  std::map<std::string, int32_t> variables;
  while (oldest.Remaining() > 0) {
    const std::string name = oldest.ReadString();
    variables[name] = oldest.ReadInt32();
  }
  EXPECT_EQ(variables["snap"], 2);
  // A missing slot fails and keeps the ring; a file load empties it.
  EXPECT_FALSE(a.game.LoadGame(42));
  EXPECT_EQ(ring.Size(), 6u);
  ASSERT_TRUE(a.game.SaveGame(CGameSaves::kQuickSlot));
  ASSERT_TRUE(a.game.LoadGame(CGameSaves::kQuickSlot));
  EXPECT_TRUE(ring.IsEmpty());
  EXPECT_FALSE(a.game.LoadGame(CGameSaves::kSnapshotSlot));
}

TEST_F(SaveSlots, EveryChangedByteMakesTheSlotEmptyAndTheGameUntouched) {
  // The quick save is the small one: no thumbnail.
  SEngine& a = AtFirstPage();
  ASSERT_TRUE(a.game.SaveGame(CGameSaves::kQuickSlot));
  const std::string path = SavePath("qsave.dat");
  const std::vector<uint8_t> good = CTempDir::Read(path);
  ASSERT_GT(good.size(), 8u);
  NextPage(a);
  const std::string page = a.game.Text().Page().Text();
  CSlotSummaries summaries;
  summaries.Resize(1);
  summaries.ReadSlotSummary(0, path);
  ASSERT_TRUE(summaries.Summary(0)->exists);
  for (size_t i = 0; i < good.size(); ++i) {
    std::vector<uint8_t> bad = good;
    bad[i] ^= 0x01;
    CTempDir::Write(path, bad);
    summaries.ReadSlotSummary(0, path);
    ASSERT_FALSE(summaries.Summary(0)->exists) << "byte " << i;
    ASSERT_FALSE(a.game.LoadGame(CGameSaves::kQuickSlot)) << "byte " << i;
  }
  EXPECT_EQ(a.game.Text().Page().Text(), page);
  EXPECT_EQ(a.game.Mode(), kModeClickWaitPage);
  EXPECT_EQ(a.game.Variables().GetVariable("page"), 2);
}

TEST_F(SaveSlots, BodyOrderAndThumbnailOnlyForNumberedSlots) {
  SEngine& a = AtFirstPage();
  ASSERT_TRUE(a.game.SaveGame(3));
  ASSERT_TRUE(a.game.SaveGame(CGameSaves::kQuickSlot));
  CRecordFile numbered, quick;
  ASSERT_TRUE(numbered.LoadFromFile(SavePath("save3.dat")));
  ASSERT_TRUE(quick.LoadFromFile(SavePath("qsave.dat")));
  std::vector<std::string> expected = {"VAR ", "EVNT", "STAC", "PRGR", "SCRP", "MBGM", "KEYW", "WAIT"};
  expected.insert(expected.end(), 32, "TEXT");
  for (const char* tag : {"WIND", "FACE", "DWIN", "DATE", "TITL", "CPTR", "SOUN", "THUM", "ETC1", "END "})
    expected.push_back(tag);
  EXPECT_EQ(Tags(numbered), expected);
  std::erase(expected, "THUM");
  EXPECT_EQ(Tags(quick), expected);
  // The thumbnail of the summary is the screen averaged down to the 80 x 60 control.
  const SSlotSummary* summary = a.game.Saves().Summaries().Summary(3);
  ASSERT_NE(summary, nullptr);
  ASSERT_EQ(summary->thumbnail.Width(), 80);
  ASSERT_EQ(summary->thumbnail.Height(), 60);
  EXPECT_EQ(summary->thumbnail.Pixel(0, 0) >> 24, 0xFFu);
  // A fresh summary array reads the same thumbnail back from the file.
  CSlotSummaries fresh;
  fresh.Resize(10);
  ASSERT_TRUE(fresh.LoadThumbnail(3, SavePath("save3.dat")));
  for (int y = 0; y < 60; y += 7)
    for (int x = 0; x < 80; x += 9)
      ASSERT_EQ(fresh.Summary(3)->thumbnail.Pixel(x, y), summary->thumbnail.Pixel(x, y));
  EXPECT_FALSE(fresh.LoadThumbnail(4, SavePath("save4.dat")));
}

TEST_F(SaveSlots, AThumbnailControlLargerThanTheScreenWritesNoThumbnail) {
  WriteSystemArchive("");
  CPackArchive::Instance().UnmountAll();
  std::vector<std::pair<std::string, std::vector<uint8_t>>> files = {
      {"setting.csv", Bytes("項目,パラメータ\n")},
      {"save\\save.scn", Bytes("CONTROL\n  NAME サムネイル\n  POS 0 0 801 100\nCONTROL END\n")}};
  ASSERT_TRUE(CArchiveWriter::WriteAll("system", files));
  SEngine& a = AtFirstPage();
  ASSERT_TRUE(a.game.SaveGame(0));
  CRecordFile record;
  ASSERT_TRUE(record.LoadFromFile(SavePath("save0.dat")));
  const std::vector<std::string> tags = Tags(record);
  EXPECT_EQ(std::count(tags.begin(), tags.end(), "THUM"), 0);
  EXPECT_TRUE(a.game.Saves().Summaries().Summary(0)->thumbnail.IsEmpty());
}

TEST_F(SaveSlots, SummariesReadEveryFieldAndKnowTheNewestSlot) {
  SEngine& a = AtFirstPage();
  ASSERT_TRUE(a.game.SaveGame(7));
  NextPage(a);
  ASSERT_TRUE(a.game.SaveGame(2));
  EXPECT_EQ(a.game.Saves().LastSlot(), 2);
  CGameSaves& saves = a.game.Saves();
  saves.ReadAllSummaries();
  EXPECT_TRUE(saves.Summaries().Summary(7)->exists);
  EXPECT_EQ(saves.Summaries().Summary(7)->lines[0], "一ページ目。");
  EXPECT_EQ(saves.Summaries().Summary(2)->lines[0], "二ページ目。");
  EXPECT_TRUE(saves.Summaries().Summary(2)->lines[1].empty());
  EXPECT_FALSE(saves.Summaries().Summary(0)->exists);
  EXPECT_GE(saves.Summaries().NewestSlot(), 0);
  fs::last_write_time(SavePath("save7.dat"), fs::file_time_type::clock::now() + std::chrono::hours(1));
  saves.ReadSlotSummary(7);
  EXPECT_EQ(saves.Summaries().NewestSlot(), 7);
  // Loading a numbered slot makes it the last used.
  ASSERT_TRUE(a.game.LoadGame(7));
  EXPECT_EQ(saves.LastSlot(), 7);
  EXPECT_EQ(a.game.Text().Page().Text(), "一ページ目。");
}

TEST_F(SaveSlots, ARecordWithoutAWaitResumesTheScriptToItsNextWait) {
  CTempDir::Write("scenario/main.adv", kTwoPages);
  SEngine& a = NewEngine();
  CRecordFile record;
  record.BeginChunk("VAR ");
  record.WriteString("page");
  record.WriteInt32(5);
  record.EndChunk();
  record.BeginChunk("SCRP");
  record.WriteInt32(2);
  record.WriteString("scenario\\main.adv");
  record.WriteInt32(2);  // the second page's line
  record.WriteInt32(0);
  record.EndChunk();
  record.WriteEmptyChunk("ZZZZ");  // unknown tags are skipped
  record.WriteEmptyChunk("END ");
  ASSERT_TRUE(record.WriteToFile(SavePath("save1.dat")));
  ASSERT_TRUE(a.game.LoadGame(1));
  // The script went on at once: the second page's text is on its way.
  EXPECT_EQ(a.game.Mode(), kModeText);
  ASSERT_TRUE(a.RunUntil([&] { return a.game.Mode() == kModeClickWaitPage; }));
  EXPECT_EQ(a.game.Variables().GetVariable("page"), 2);
  EXPECT_EQ(a.game.Text().Page().Text(), "二ページ目。");
}

TEST_F(SaveSlots, DamagedBodiesThatPassTheTestNeverCrashTheLoader) {
  SEngine& a = AtFirstPage();
  ASSERT_TRUE(a.game.SaveGame(CGameSaves::kSnapshotSlot));
  const std::vector<uint8_t> body = a.game.Saves().Snapshots().At(0);
  // Every byte of a real body changed in turn, given to the loader as a body of the ring.
  for (size_t i = 0; i < body.size(); i += 3) {
    std::vector<uint8_t> bad = body;
    bad[i] = static_cast<uint8_t>(bad[i] + 0x81);
    FuzzLoadSave(bad.data(), bad.size());
  }
  std::vector<uint8_t> cut(body.begin(), body.begin() + static_cast<long>(body.size() / 2));
  EXPECT_EQ(FuzzLoadSave(cut.data(), cut.size()), 0);
}

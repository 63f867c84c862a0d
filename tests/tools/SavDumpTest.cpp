// zeltool sav-dump on record files built here and on the system.dat the sample game writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/GameSystem.h"
#include "io/Path.h"
#include "io/ScratchFolder.h"
#include "io/TempDir.h"
#include "persist/RecordFile.h"
#include "persist/Settings.h"
#include "platform/headless/HeadlessPlatform.h"
#include "scenario/CommandRun.h"

namespace fs = std::filesystem;

namespace {

const std::string kBuild = ZEL_BUILD_DIR;

// The dump's standard output only, one line per chunk.
std::vector<std::string> Dump(const fs::path& file, int expectedStatus = 0) {
  const SRun run =
      RunCommand("{ \"" + kBuild + "/zeltool\" sav-dump \"" + file.string() + "\" 2>/dev/null; }");
  EXPECT_EQ(run.status, expectedStatus) << run.output;
  std::vector<std::string> lines;
  std::istringstream in(run.output);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void Write(const CRecordFile& record, const fs::path& file) {
  ASSERT_TRUE(record.WriteToFile(file.string()));
}

TEST(SavDump, SystemDataChunksAreDecoded) {
  const CTempDir dir;
  CRecordFile r;
  r.BeginChunk("VAR ");
  r.WriteString("plays");
  r.WriteInt32(2);
  r.WriteString("\x8A\x4A");  // "開" in Shift JIS
  r.WriteInt32(-1);
  r.BeginChunk("VOL0");
  r.WriteInt32(256);
  r.BeginChunk("ALBM");
  r.WriteBits({true, false, true});
  r.BeginChunk("KYWD");
  r.WriteString("key");
  r.WriteString("\x82\xA0");  // "あ"
  r.BeginChunk("READ");
  r.WriteString("scenario\\a.adv");
  r.WriteInt32(32);
  r.WriteInt32(0x00000105);
  r.BeginChunk("ZZZZ");
  r.WriteInt32(7);
  r.BeginChunk("FILE");
  r.WriteInt32(3);
  r.WriteInt32(4);  // more than the tag holds
  r.EndChunk();
  r.WriteEmptyChunk("END ");
  Write(r, dir.path / "system.dat");
  EXPECT_EQ(
      Dump(dir.path / "system.dat"),
      (std::vector<std::string>{
          reinterpret_cast<const char*>(
              u8R"({"tag":"VAR ","length":17,"entries":[{"name":"plays","value":2},{"name":"開","value":-1}]})"),
          R"({"tag":"VOL0","length":4,"value":256})",
          R"({"tag":"ALBM","length":5,"flags":"101"})",
          reinterpret_cast<const char*>(u8R"({"tag":"KYWD","length":7,"key":"key","value":"あ"})"),
          R"({"tag":"READ","length":23,"script":"scenario\\a.adv","capacity":32,"read":[0,2,8]})",
          R"({"tag":"ZZZZ","length":4,"known":false})",
          R"({"tag":"FILE","length":8,"slot":3,"unread":4})",
          R"({"tag":"END ","length":0})",
      }));
}

TEST(SavDump, SaveChunksAreDecodedAndRawStateDumped) {
  const CTempDir dir;
  CRecordFile r;
  r.BeginChunk("TEXT");
  r.WriteString("a");
  r.WriteString("");
  r.WriteInt32(100);
  r.WriteInt32(-1);
  r.BeginChunk("LAYR");
  r.WriteInt32(1);
  r.WriteString("bg.png");
  r.WriteString("");
  for (int32_t v : {10, 20, 30}) r.WriteInt32(v);
  r.WriteBytes("\xAB", 1);
  r.BeginChunk("MPAN");
  for (int32_t v : {2, 5, 10, 30, 0}) r.WriteInt32(v);
  std::string mask = "mask\\m.png";
  mask.resize(116, '\0');
  r.WriteBytes(mask.data(), mask.size());
  r.BeginChunk("THUM");
  r.WriteInt32(2);
  r.WriteInt32(1);
  r.WriteBytes("12345678", 8);
  r.BeginChunk("DATE");
  for (int32_t v : {2024, 4, 1, 9, 30}) r.WriteInt32(v);
  r.EndChunk();
  r.WriteEmptyChunk("MPSL");
  Write(r, dir.path / "qsave.dat");
  EXPECT_EQ(
      Dump(dir.path / "qsave.dat"),
      (std::vector<std::string>{
          R"({"tag":"TEXT","length":11,"entries":[{"text":"a","ruby":"","size":100,"color":-1}]})",
          R"({"tag":"LAYR","length":25,"layer":1,"picture":"bg.png","click":"","x":10,"y":20,"zoom":30,"unread":1})",
          R"({"tag":"MPAN","length":136,"layer":2,"transition":5,"elapsed":10,"duration":30,"gradation":0,"mask":"mask\\m.png"})",
          R"({"tag":"THUM","length":16,"width":2,"height":1,"pixel_bytes":8})",
          R"({"tag":"DATE","length":20,"year":2024,"month":4,"day":1,"hour":9,"minute":30})",
          R"({"tag":"MPSL","length":0})",
      }));
}

TEST(SavDump, FileFailingTheContainerTestExitsOneWithOneLine) {
  const CTempDir dir;
  CRecordFile r;
  r.WriteEmptyChunk("END ");
  Write(r, dir.path / "save0.dat");
  std::vector<uint8_t> bytes = CTempDir::Read((dir.path / "save0.dat").string());
  bytes[9] ^= 0x40;
  CTempDir::Write((dir.path / "save0.dat").string(), bytes);
  for (const fs::path& file : {dir.path / "save0.dat", dir.path / "missing.dat"}) {
    EXPECT_TRUE(Dump(file, 1).empty());
    const SRun run = RunCommand("\"" + kBuild + "/zeltool\" sav-dump \"" + file.string() + "\"");
    EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
    EXPECT_EQ(run.output.rfind("zeltool: ", 0), 0u) << run.output;
  }
  EXPECT_EQ(RunCommand("\"" + kBuild + "/zeltool\" sav-dump").status, 1);
}

// The sample game at its title writes a system.dat with its shared variables, configuration, lists,
// last slot, voice mask; after a page has been read the read flags follow at the next calm moment.
TEST(SavDump, SampleSystemDataCarriesEveryChunkKind) {
  const CTempDir dir;
  const fs::path input = dir.path / "input.txt";
  CTempDir::Write(input.string(), "200 key RETURN\n300 key RETURN\n400 key RETURN\n");
  const SRun run = RunCommand(kZelHeadless + "--start 'scenario\\mainScript.adv' --frames 900 --input \"" +
                              input.string() + "\" --save-dir \"" + dir.path.string() + "\" \"" + kBuild +
                              "/sample-game\"");
  ASSERT_EQ(run.status, 0) << run.output;
  std::vector<std::string> tags;
  std::string variables, read;
  for (const std::string& line : Dump(dir.path / "system.dat")) {
    tags.push_back(line.substr(8, 4));
    if (tags.back() == "VAR ") variables = line;
    if (tags.back() == "READ") read = line;
  }
  EXPECT_EQ(tags, (std::vector<std::string>{"VAR ", "SCRN", "SKEF", "SPED", "SKNW", "SKCN", "SWRD", "ATSP",
                                            "VOL0", "VOL1", "VOL2", "ALBM", "FLSH", "MSIC", "FILE", "READ",
                                            "VCMS", "END "}));
  // The first choice, taken by the keys, counts a walk.
  EXPECT_NE(variables.find(R"({"name":"plays","value":1})"), std::string::npos) << variables;
  EXPECT_NE(variables.find(R"({"name":"walks","value":1})"), std::string::npos) << variables;
  EXPECT_NE(read.find(R"("script":"scenario\\mainScript.adv")"), std::string::npos) << read;
}

// A quick save of the sample game in its first click wait, made by the engine itself: every chunk
// it writes is one the dump knows, read to its end.
TEST(SavDump, EngineQuickSaveIsDecodedWhole) {
  const fs::path previous = fs::current_path();
  CScratchFolder saves;
  ASSERT_TRUE(SetExeDirectoryCurrent(kBuild + "/sample-game"));
  settings::SetSaveDirectoryOverride(saves.Create("zel-dump-test"));
  ASSERT_TRUE(settings::LoadSettings());
  {
    CHeadlessPlatform platform{CInputScript(), true};
    CGameSystem game{platform};
    ASSERT_TRUE(game.Startup());
    game.StartNewGame("scenario\\mainScript.adv", "");
    for (int64_t frame = 1; frame < 600 && game.Mode() != CGameSystem::kModeClickWaitPage; ++frame) {
      platform.AdvanceClock(frame);
      game.Tick(0, 0);
    }
    ASSERT_EQ(game.Mode(), CGameSystem::kModeClickWaitPage);
    ASSERT_TRUE(game.SaveGame(-1));
    game.Shutdown();
  }
  settings::SetSaveDirectoryOverride("");
  fs::current_path(previous);

  std::vector<std::string> tags;
  for (const std::string& line : Dump(fs::path(saves.Path()) / "qsave.dat")) {
    EXPECT_EQ(line.find("\"known\":false"), std::string::npos) << line;
    EXPECT_EQ(line.find("\"unread\""), std::string::npos) << line;
    if (tags.empty() || tags.back() != line.substr(8, 4)) tags.push_back(line.substr(8, 4));
  }
  for (const char* tag : {"VAR ", "STAC", "PRGR", "SCRP", "MBGM", "KEYW", "TEXT", "WIND", "FACE", "DWIN",
                          "DATE", "TITL", "CPTR", "SOUN", "ETC1", "END "})
    EXPECT_NE(std::find(tags.begin(), tags.end(), tag), tags.end()) << tag;
  EXPECT_EQ(tags.back(), "END ");
}

}  // namespace

// system.dat across runs of the sample game: what one run gathers, the next one starts from.
#include <gtest/gtest.h>

#include <filesystem>

#include "CommandRun.h"
#include "io/TempDir.h"
#include "persist/RecordFile.h"

namespace fs = std::filesystem;

namespace {

const std::string kBuild = ZEL_BUILD_DIR;

// Plays the sample from its main script for some frames with the input, saving into saveDir.
SRun Play(const fs::path& saveDir, const std::string& input, int frames) {
  const fs::path inputFile = saveDir / "input.txt";
  CTempDir::Write(inputFile.string(), input);
  return RunCommand(kZelHeadless + "--start 'scenario\\mainScript.adv' --trace - --frames " +
                    std::to_string(frames) + " --input \"" + inputFile.string() + "\" --save-dir \"" +
                    saveDir.string() + "\" \"" + kBuild + "/sample-game\"");
}

struct SSystemData {
  std::map<std::string, int32_t> variables;
  std::map<std::string, std::vector<uint8_t>> read;
};

SSystemData ReadSystemData(const fs::path& saveDir) {
  SSystemData data;
  CRecordFile record;
  EXPECT_TRUE(record.LoadFromFile((saveDir / "system.dat").string()));
  while (record.NextChunk()) {
    if (record.Tag() == "VAR ") {
      while (record.Remaining() > 0) {
        std::string name = record.ReadString();
        data.variables[name] = record.ReadInt32();
      }
    } else if (record.Tag() == "READ") {
      std::string script = record.ReadString();
      const int32_t capacity = record.ReadInt32();
      data.read[script] = record.ReadBytes(static_cast<size_t>(capacity) / 8);
    }
  }
  return data;
}

const std::string kThreePages = "200 key RETURN\n300 key RETURN\n400 key RETURN\n";
const std::string kMain = "scenario\\mainScript.adv";

TEST(SystemDataRun, SharedVariablesAndReadFlagsCarryOverToTheNextRun) {
  const CTempDir dir;
  ASSERT_EQ(Play(dir.path, kThreePages, 900).status, 0);
  const SSystemData first = ReadSystemData(dir.path);
  // The sample also declares the config screen's four switches shared; they stay off.
  std::map<std::string, int32_t> expected{{"plays", 1}, {"walks", 1}};
  for (int i = 0; i < 4; ++i) expected["CONFIG_SWITCH" + std::to_string(i)] = 0;
  EXPECT_EQ(first.variables, expected);
  ASSERT_EQ(first.read.count(kMain), 1u);

  // The second run reads only the first page; the flags of the first run stay.
  ASSERT_EQ(Play(dir.path, "200 key RETURN\n", 900).status, 0);
  const SSystemData second = ReadSystemData(dir.path);
  expected["plays"] = 2;
  EXPECT_EQ(second.variables, expected);
  EXPECT_EQ(second.read, first.read);
}

TEST(SystemDataRun, HeadlessRunsWriteTheSameFile) {
  const CTempDir one, two;
  ASSERT_EQ(Play(one.path, kThreePages, 900).status, 0);
  ASSERT_EQ(Play(two.path, kThreePages, 900).status, 0);
  EXPECT_EQ(CTempDir::Read((one.path / "system.dat").string()),
            CTempDir::Read((two.path / "system.dat").string()));
}

TEST(SystemDataRun, QuittingWritesWhatTheLastCalmMomentHadNotYet) {
  const CTempDir dir;
  // No calm-moment write falls between the page read at frame 200 and the quit at frame 210.
  const SRun run = Play(dir.path, "200 key RETURN\n210 close\n", 900);
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("\"event\":\"quit\""), std::string::npos) << run.output;
  EXPECT_EQ(ReadSystemData(dir.path).read.count(kMain), 1u);

  // A run that only started has no page read yet.
  const CTempDir fresh;
  ASSERT_EQ(Play(fresh.path, "", 10).status, 0);
  EXPECT_TRUE(ReadSystemData(fresh.path).read.empty());
}

TEST(SystemDataRun, HeadlessWithoutASaveFolderKeepsNothing) {
  const CTempDir tmp;
  const fs::path saves = kBuild + "/sample-game/save/system.dat";
  const bool existed = fs::exists(saves);
  const fs::file_time_type before = existed ? fs::last_write_time(saves) : fs::file_time_type();
  const SRun run =
      RunCommand("TMPDIR=\"" + tmp.path.string() + "\" " + kZelHeadless +
                 "--frames 240 --start 'scenario\\mainScript.adv' \"" + kBuild + "/sample-game\"");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(fs::exists(saves), existed);
  if (existed) {
    EXPECT_EQ(fs::last_write_time(saves), before);
  }
  EXPECT_TRUE(fs::is_empty(tmp.path));
}

}  // namespace

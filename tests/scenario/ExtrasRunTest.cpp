// Unlocks that outlive the game: a scene played in one run of the sample game is open in the
// flashback of the next run, reached from the title after the logos.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "CommandRun.h"
#include "io/TempDir.h"

namespace {

std::string Trace(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(ExtrasRun, AScenePlayedInOneRunReplaysFromTheTitleOfTheNext) {
  const CTempDir dir;
  const std::string game = " \"" + std::string(ZEL_BUILD_DIR) + "/sample-game\"";
  const std::string saves = " --save-dir \"" + dir.path.string() + "\"";
  // The scene the demo route passes by; its click wait is a calm moment, when system.dat is written.
  SRun run = RunCommand(kZelHeadless + "--start 'scenario\\reading.adv' --frames 400" + saves + game);
  ASSERT_EQ(run.status, 0) << run.output;

  // Logos and the opening movie skipped by keys, the title's flashback item, the third slot.
  std::ofstream(dir.path / "input.txt")
      << "5 key RETURN\n10 key RETURN\n20 key RETURN\n80 click 400 450\n160 click 650 240\n";
  const std::string trace = (dir.path / "trace.json").string();
  run = RunCommand(kZelHeadless + "--frames 200 --input \"" + (dir.path / "input.txt").string() +
                   "\" --trace \"" + trace + "\"" + saves + game);
  ASSERT_EQ(run.status, 0) << run.output;
  const std::string events = Trace(trace);
  const size_t flashback = events.find("\"from\":17,\"to\":19");
  ASSERT_NE(flashback, std::string::npos) << events;
  const size_t replay = events.find("\"from\":19,\"to\":0", flashback);
  ASSERT_NE(replay, std::string::npos) << "the unlocked scene starts: " << events;
  EXPECT_NE(events.find("\"event\":\"script\",\"name\":\"scenario\\\\reading.adv\"", replay),
            std::string::npos);
}

TEST(ExtrasRun, ALockedSceneDoesNotStartOnAFirstPlay) {
  const CTempDir dir;
  std::ofstream(dir.path / "input.txt")
      << "5 key RETURN\n10 key RETURN\n20 key RETURN\n80 click 400 450\n160 click 650 240\n";
  const std::string trace = (dir.path / "trace.json").string();
  const SRun run = RunCommand(kZelHeadless + "--frames 200 --input \"" + (dir.path / "input.txt").string() +
                              "\" --trace \"" + trace + "\" --save-dir \"" + dir.path.string() + "\" \"" +
                              std::string(ZEL_BUILD_DIR) + "/sample-game\"");
  ASSERT_EQ(run.status, 0) << run.output;
  const std::string events = Trace(trace);
  EXPECT_NE(events.find("\"from\":17,\"to\":19"), std::string::npos) << events;
  EXPECT_EQ(events.find("\"from\":19,\"to\":0"), std::string::npos) << events;
}

}  // namespace

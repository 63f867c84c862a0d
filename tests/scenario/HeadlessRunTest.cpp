// Runs the zel binary headless on the bundled sample game and checks what the command line promises.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "CommandRun.h"

namespace fs = std::filesystem;

namespace {

// The trace is UTF-8 while narrow literals are Shift JIS, so expected trace text is written as u8"".
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

const std::string kZel = std::string(ZEL_BUILD_DIR) + "/zel";
const std::string kGame = std::string(ZEL_BUILD_DIR) + "/sample-game";

// A game folder without its system archive. An empty folder is enough: copying the sample would race
// with the other tests writing their logs into it.
fs::path GameWithoutSystem(const fs::path& dir) {
  fs::create_directories(dir / "game");
  return dir / "game";
}

// Every headless run goes through the redraw check; the others run the player as given.
SRun RunZel(const std::string& arguments) {
  const bool headless = arguments.rfind("--headless ", 0) == 0;
  return RunCommand(headless ? kZelHeadless + arguments.substr(11) : "\"" + kZel + "\" " + arguments);
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

fs::path TempDir(const std::string& name) {
  fs::path dir = fs::temp_directory_path() / ("zel-test-" + name + "-" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

}  // namespace

TEST(HeadlessRun, SameCommandGivesTheSameTraceAndPicture) {
  const fs::path dir = TempDir("repeat");
  std::string traces[2], shots[2];
  for (int i = 0; i < 2; ++i) {
    const fs::path shot = dir / ("shot" + std::to_string(i) + ".png");
    SRun run = RunZel("--headless --frames 120 --trace - --shot 120 " + shot.string() + " --save-dir " +
                      dir.string() + " " + kGame);
    ASSERT_EQ(run.status, 0) << run.output;
    traces[i] = run.output;
    shots[i] = ReadAll(shot);
  }
  EXPECT_EQ(traces[0], traces[1]);
  EXPECT_FALSE(shots[0].empty());
  EXPECT_EQ(shots[0], shots[1]);
  EXPECT_EQ(shots[0].substr(1, 3), "PNG");
  fs::remove_all(dir);
}

TEST(HeadlessRun, CloseAsksAndNoKeepsTheGameRunning) {
  const fs::path dir = TempDir("close");
  std::ofstream(dir / "input.txt") << "5 answer no\n5 close\n10 close\n";
  SRun run = RunZel("--headless --frames 30 --trace - --input " + (dir / "input.txt").string() +
                    " --save-dir " + dir.string() + " " + kGame);
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find(
                Utf8(u8"{\"frame\":5,\"event\":\"msgbox\",\"caption\":\"終了\",\"text\":\"終了しますか？\","
                     u8"\"answer\":\"no\"}")),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("{\"frame\":10,\"event\":\"msgbox\""), std::string::npos);
  EXPECT_NE(run.output.find("{\"frame\":10,\"event\":\"quit\"}"), std::string::npos) << run.output;
  EXPECT_EQ(run.output.find("\"frame\":11"), std::string::npos) << "nothing runs after the quit";
  fs::remove_all(dir);
}

TEST(HeadlessRun, MissingSystemArchiveIsReportedAndExitsWithOne) {
  const fs::path dir = TempDir("nosystem");
  const fs::path game = GameWithoutSystem(dir);
  SRun run = RunZel("--headless --frames 10 --trace - " + game.string());
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find(Utf8(
                u8"\"event\":\"msgbox\",\"caption\":\"error\",\"text\":\"system ファイルが開けません\"")),
            std::string::npos)
      << run.output;
  fs::remove_all(dir);
}

TEST(HeadlessRun, BadCommandLinesExitWithTwo) {
  for (const char* arguments :
       {"--frames", "--frames x", "--shot 0 a.png", "--answer maybe", "--bogus", "--scale 0", "a b"}) {
    SRun run = RunZel(std::string("--headless ") + arguments);
    EXPECT_EQ(run.status, 2) << arguments << ": " << run.output;
  }
  EXPECT_EQ(RunZel("--version").status, 0);
  EXPECT_EQ(RunZel("--help").status, 0);
}

TEST(HeadlessRun, StartSkipsTheStartUpFlowAndAMissingScriptFailsLoudly) {
  const fs::path dir = TempDir("start");
  SRun run = RunZel("--headless --frames 30 --trace - --start 'scenario\\mainScript.adv' --save-dir " +
                    dir.string() + " " + kGame);
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output.find("\"to\":20"), std::string::npos) << "no logo mode: " << run.output;
  EXPECT_EQ(run.output.find("msgbox"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("{\"frame\":0,\"event\":\"script\",\"name\":\"scenario\\\\mainScript.adv\"}"),
            std::string::npos)
      << run.output;
  // Without a trace the failure still reaches standard error, and the run ends at once.
  run = RunZel("--headless --frames 30 --start 'scenario\\missing.adv' --save-dir " + dir.string() + " " +
               kGame);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("scenario\\missing.adv"), std::string::npos) << run.output;
  fs::remove_all(dir);
}

TEST(HeadlessRun, FailuresReachStandardErrorWithoutATrace) {
  const fs::path dir = TempDir("stderr");
  const fs::path game = GameWithoutSystem(dir);
  SRun run = RunZel("--headless --frames 10 " + game.string());
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find(Utf8(u8"system ファイルが開けません")), std::string::npos) << run.output;
  // A screenshot that cannot be written fails the run.
  run = RunZel("--headless --frames 3 --shot 2 " + (dir / "no" / "such" / "folder.png").string() +
               " --save-dir " + dir.string() + " " + kGame);
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_NE(run.output.find("folder.png"), std::string::npos) << run.output;
  fs::remove_all(dir);
}

TEST(HeadlessRun, OutputPathsAreRelativeToTheStartingFolder) {
  const fs::path dir = TempDir("relative");
  const SRun run = RunCommand("cd \"" + dir.string() + "\" && " + kZelHeadless +
                              "--frames 5 --shot 5 shot.png --trace trace.json --save-dir saves " + kGame);
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_TRUE(fs::exists(dir / "shot.png"));
  EXPECT_TRUE(fs::exists(dir / "trace.json"));
  EXPECT_FALSE(fs::exists(fs::path(kGame) / "shot.png"));
  fs::remove_all(dir);
}

TEST(HeadlessRun, WithoutAnyDisplayTheWindowedPlayerSaysSoAndExitsWithOne) {
  const SRun run =
      RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER \"" + kZel + "\" " + kGame);
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_NE(run.output.find("no display"), std::string::npos) << run.output;
}

// A headless run ends only at --frames or when the game quits, and the sample's route ends at the
// title, which waits: every headless command the documentation shows must give --frames.
TEST(HeadlessRun, DocumentedHeadlessCommandsAllEnd) {
  int commands = 0;
  for (const char* document : {"/docs/CLI.md", "/README.md"}) {
    std::istringstream lines(ReadAll(std::string(ZEL_SOURCE_DIR) + document));
    for (std::string line; std::getline(lines, line);) {
      const size_t at = line.find("zel --headless");
      if (at == std::string::npos || line.find('`') < at) continue;  // prose, not a command
      ++commands;
      EXPECT_NE(line.find("--frames"), std::string::npos) << document << ": " << line;
    }
  }
  EXPECT_GE(commands, 2);
}

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace {

bool Parse(CCommandLine& line, std::vector<std::string> args, std::string& error) {
  return line.Parse(args, error);
}

}  // namespace

TEST(CommandLine, CheckRedrawNeedsHeadless) {
  CCommandLine line;
  std::string error;
  ASSERT_TRUE(Parse(line, {"--headless", "--check-redraw"}, error)) << error;
  EXPECT_TRUE(line.checkRedraw);
  CCommandLine windowed;
  EXPECT_FALSE(Parse(windowed, {"--check-redraw"}, error));
  EXPECT_NE(error.find("--headless"), std::string::npos);
}

TEST(CommandLine, OutputAndInputFilesAreAnchoredAtTheStartingFolder) {
  CCommandLine line;
  std::string error;
  ASSERT_TRUE(
      Parse(line,
            {"--headless", "--shot", "5", "shots/a.png", "--shot", "6", "/abs/b.png", "--trace", "t.json",
             "--input", "../in.txt", "--audio-out", "mix.wav", "--save-dir", "saves", "game"},
            error));
  line.ResolvePaths("/home/player/work");
  EXPECT_EQ(line.shots[0].file, "/home/player/work/shots/a.png");
  EXPECT_EQ(line.shots[1].file, "/abs/b.png");
  EXPECT_EQ(line.traceFile, "/home/player/work/t.json");
  EXPECT_EQ(line.inputFile, "/home/player/in.txt");
  EXPECT_EQ(line.audioOut, "/home/player/work/mix.wav");
  EXPECT_EQ(line.saveDir, "/home/player/work/saves");
  EXPECT_EQ(line.gameDir, "game") << "the game folder is entered from the starting folder anyway";
  CCommandLine toStdout;
  ASSERT_TRUE(Parse(toStdout, {"--trace", "-"}, error));
  toStdout.ResolvePaths("/x");
  EXPECT_EQ(toStdout.traceFile, "-");
}

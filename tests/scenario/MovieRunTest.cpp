// The sample game's opening movie after the logos, played by the zel binary headless: where it
// starts and ends in the trace, what the screen shows while it plays, and a click that ends it.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "CommandRun.h"
#include "gfx/Surface.h"
#include "io/TempDir.h"

namespace {

const std::string kSampleGame = std::string(ZEL_BUILD_DIR) + "/sample-game";

// The logos end in frame 362; the movie starts in the same frame.
constexpr int kMovieStart = 362;

std::string PlaySample(const CTempDir& dir, const std::string& input, const std::string& options) {
  CTempDir::Write("input.txt", input);
  const std::string here = dir.path.string() + "/";
  const SRun run = RunCommand(kZelHeadless + "--trace " + here + "trace.jsonl --input " + here +
                              "input.txt --save-dir " + here + " " + options + " " + kSampleGame);
  EXPECT_EQ(run.status, 0) << run.output;
  std::stringstream trace;
  trace << std::ifstream("trace.jsonl").rdbuf();
  return trace.str();
}

// The frame of the first event matching the pattern (a part of its JSON after the frame), or -1.
long FrameOf(const std::string& trace, const std::string& pattern) {
  std::smatch match;
  if (!std::regex_search(trace, match, std::regex("\\{\"frame\":([0-9]+),\"event\":" + pattern))) return -1;
  return std::stol(match[1]);
}

TEST(MovieRun, OpeningMoviePlaysAfterTheLogosWithBarsAndTheTitleFollows) {
  CTempDir dir;
  const std::string shot = dir.path.string() + "/movie.png";
  std::string first;
  for (int run = 0; run < 2; ++run) {
    const std::string trace = PlaySample(dir, "", "--frames 600 --shot 460 " + shot);
    const long start = FrameOf(trace, "\"movie\",\"action\":\"start\",\"file\":\"movie\\\\\\\\opening.mpg\"");
    const long end = FrameOf(trace, "\"movie\",\"action\":\"end\"");
    EXPECT_EQ(start, kMovieStart) << trace;
    // Three seconds of picture and a little more of coded sound.
    EXPECT_GE(end - start, 180) << trace;
    EXPECT_LE(end - start, 186) << trace;
    EXPECT_EQ(FrameOf(trace, "\"mode\",\"from\":15,\"to\":17"), end) << trace;
    EXPECT_EQ(trace.find("msgbox"), std::string::npos) << trace;
    CSurface picture;
    ASSERT_TRUE(picture.Load(shot));
    // 640 × 360 on 800 × 600: rows 75 to 524 show the movie, black bars above and below.
    EXPECT_EQ(picture.Pixel(400, 40) & 0xFFFFFF, 0u);
    EXPECT_EQ(picture.Pixel(400, 560) & 0xFFFFFF, 0u);
    EXPECT_NE(picture.Pixel(400, 200) & 0xFFFFFF, 0u);
    EXPECT_NE(picture.Pixel(30, 300) & 0xFFFFFF, 0u);
    std::stringstream bytes;
    bytes << std::ifstream(shot, std::ios::binary).rdbuf();
    if (run == 0) first = bytes.str();
    EXPECT_EQ(bytes.str(), first) << "the same frame of the movie in every run";
  }
}

TEST(MovieRun, AClickEndsTheOpeningMovieAndTheTitleFollowsAtOnce) {
  CTempDir dir;
  const std::string trace = PlaySample(dir, "400 click 400 300\n", "--frames 420");
  EXPECT_EQ(FrameOf(trace, "\"movie\",\"action\":\"end\""), 400) << trace;
  EXPECT_EQ(FrameOf(trace, "\"mode\",\"from\":15,\"to\":17"), 400) << trace;
}

}  // namespace

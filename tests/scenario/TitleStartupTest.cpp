// The bundled sample game from start-up: both logos, the title, and into the game by mouse and by
// keys, played headless by the zel binary.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "CommandRun.h"
#include "gfx/DrawTarget.h"
#include "gfx/ShapeDraw.h"
#include "gfx/Surface.h"
#include "io/TempDir.h"

namespace {

const std::string& kZelCommand = kZelHeadless;
const std::string kSampleGame = std::string(ZEL_BUILD_DIR) + "/sample-game";

// Runs zel with the input script and extra options (file names in them are relative to the
// temporary folder, which zel does not run in); the trace it wrote.
std::string PlayTrace(const CTempDir& dir, const std::string& input, const std::string& options) {
  CTempDir::Write("input.txt", input);
  const std::string here = dir.path.string() + "/";
  std::string expanded = options;
  for (size_t at = expanded.find("@"); at != std::string::npos; at = expanded.find("@", at + here.size()))
    expanded.replace(at, 1, here);
  const std::string command = kZelCommand + "--trace " + here + "trace.jsonl --input " + here +
                              "input.txt --save-dir " + here + " " + expanded + " " + kSampleGame +
                              " > output.txt 2>&1";
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
  std::stringstream trace;
  trace << std::ifstream("trace.jsonl").rdbuf();
  return trace.str();
}

// Whether the events occur in the trace in this order.
::testing::AssertionResult InOrder(const std::string& trace, std::initializer_list<const char*> events) {
  size_t from = 0;
  for (const char* event : events) {
    from = trace.find(event, from);
    if (from == std::string::npos)
      return ::testing::AssertionFailure() << "missing " << event << " in\n" << trace;
  }
  return ::testing::AssertionSuccess();
}

uint32_t ShotPixel(const std::string& file, int x, int y) {
  CSurface shot;
  EXPECT_TRUE(shot.Load(file));
  return shot.Width() > x && shot.Height() > y ? shot.Pixel(x, y) | 0xFF000000u : 0;
}

// Each logo stays for 180 frames and the next update moves on: logo 1 from frame 181, the opening
// movie from frame 362 for its 181 frames, the title from frame 543; its 30-tick fade ends at frame
// 573, and a start chosen at frame 601 fades out until 631.
TEST(TitleStartup, TheLogosLeadToTheTitleWhoseStartItemStartsTheGame) {
  CTempDir dir;
  const std::string trace = PlayTrace(dir, "601 click 400 274\n",
                                      "--frames 641 --shot 100 @logo.png --shot 270 @makers.png --shot 558 "
                                      "@fading.png --shot 591 @title.png");
  EXPECT_TRUE(
      InOrder(trace, {"{\"frame\":0,\"event\":\"mode\",\"from\":0,\"to\":20}",
                      "{\"frame\":362,\"event\":\"mode\",\"from\":20,\"to\":15}",
                      "{\"frame\":543,\"event\":\"mode\",\"from\":15,\"to\":17}",
                      "{\"frame\":601,\"event\":\"sound\",\"action\":\"play\",\"channel\":4",
                      "{\"frame\":631,\"event\":\"mode\",\"from\":17,\"to\":0}",
                      "{\"frame\":631,\"event\":\"script\",\"name\":\"scenario\\\\mainScript.adv\"}"}));

  EXPECT_EQ(ShotPixel("logo.png", 10, 10), 0xFFF4F0E8u) << "the logo background between the fades";
  EXPECT_NE(ShotPixel("logo.png", 260, 300), ShotPixel("makers.png", 260, 300)) << "another logo";
  uint32_t expected = ShotPixel("title.png", 400, 100);
  shapes::FillRect(SDrawTarget::Unclipped(&expected, 1, 1), 0, 0, 1, 1, 127u << 24);
  EXPECT_EQ(ShotPixel("fading.png", 400, 100), expected)
      << "15 ticks into the title's fade: (30 - 15) * 255 / 30";
}

// Space ends logo 0 in frame 5, Enter logo 1 in frame 6 and the opening movie starts; Space ends the
// movie in frame 20 (Down does nothing to it); Down picks the first item in reading order (start, at
// the top) and Enter starts the game after the 30-tick fade.
TEST(TitleStartup, KeysSkipTheLogosAndTheMovieAndChooseTheStartItem) {
  CTempDir dir;
  const std::string trace = PlayTrace(dir,
                                      "5 key SPACE\n6 keydown RETURN\n7 keyup RETURN\n15 key DOWN\n20 key "
                                      "SPACE\n54 key DOWN\n55 key RETURN\n",
                                      "--frames 100");
  EXPECT_TRUE(
      InOrder(trace, {"{\"frame\":6,\"event\":\"mode\",\"from\":20,\"to\":15}",
                      "{\"frame\":20,\"event\":\"mode\",\"from\":15,\"to\":17}",
                      "{\"frame\":85,\"event\":\"mode\",\"from\":17,\"to\":0}",
                      "{\"frame\":85,\"event\":\"script\",\"name\":\"scenario\\\\mainScript.adv\"}"}));
}

}  // namespace

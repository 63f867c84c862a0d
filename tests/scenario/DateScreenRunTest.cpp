// A date screen inside a scenario, played headless with the redraw check: the script stops for the
// whole sequence and goes on afterwards with the new date.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "CommandRun.h"
#include "gfx/Surface.h"
#include "io/TempDir.h"

namespace fs = std::filesystem;

namespace {

// The frame of the trace's first mode change from one mode to another; -1 when there is none.
long ModeChangeFrame(const std::string& trace, int from, int to) {
  const std::regex change("\\{\"frame\":([0-9]+),\"event\":\"mode\",\"from\":" + std::to_string(from) +
                          ",\"to\":" + std::to_string(to) + "\\}");
  std::smatch match;
  return std::regex_search(trace, match, change) ? std::stol(match[1]) : -1;
}

}  // namespace

TEST(DateScreenRun, HoldsTheScriptForTheWholeSequenceAndOpensFromBlack) {
  const CTempDir dir;
  const fs::path game = BuildTestGame("date_screen", dir.path);
  ASSERT_FALSE(game.empty());
  // The first wait ends in frame 10, where the date screen starts and draws its first frame.
  const SRun run =
      RunCommand(kZelHeadless +
                 "--start 'scenario\\mainScript.adv' --frames 300 --trace trace.json --save-dir . "
                 "--shot 10 first.png --shot 40 half.png \"" +
                 game.string() + "\"");
  ASSERT_EQ(run.status, 0) << run.output;
  std::ifstream in("trace.json");
  const std::string trace((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const long start = ModeChangeFrame(trace, 0, 14);
  ASSERT_EQ(start, 10) << trace;
  EXPECT_EQ(ModeChangeFrame(trace, 14, 0), start + 60 + 1 + 120 + 60 + 1);
  EXPECT_GT(ModeChangeFrame(trace, 0, 17), start + 242) << "the last wait runs after the screen";

  CSurface first;
  ASSERT_TRUE(first.Load("first.png"));
  int lit = 0;
  for (int y = 0; y < first.Height(); ++y)
    for (int x = 0; x < first.Width(); ++x)
      if ((first.Pixel(x, y) & 0xFFFFFFu) != 0) ++lit;
  EXPECT_LE(lit, 4) << "black but the centre";
  CSurface half;
  ASSERT_TRUE(half.Load("half.png"));
  EXPECT_NE(half.Pixel(400, 200) & 0xFFFFFFu, 0u) << "the background shows inside the iris";
  EXPECT_EQ(half.Pixel(0, 0) & 0xFFFFFFu, 0u) << "the corners stay black";
}

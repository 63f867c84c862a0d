#pragma once
// Runs of the sample game for the menu-screen scenarios: the zel binary headless with the redraw
// check, its trace events, input lines and screenshots.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CommandRun.h"
#include "gfx/Surface.h"

namespace menurun {

namespace fs = std::filesystem;

inline const fs::path kSample = std::string(ZEL_BUILD_DIR) + "/sample-game";

struct SPlay {
  std::vector<std::string> events;
  int Find(std::initializer_list<std::string> parts, long from = 0) const {
    for (int i = 0; i < static_cast<int>(events.size()); ++i) {
      bool all = Frame(i) >= from;
      for (const std::string& part : parts) all = all && events[i].find(part) != std::string::npos;
      if (all) return i;
    }
    return -1;
  }
  long Frame(int i) const { return i < 0 ? -1 : std::stol(events[i].substr(events[i].find(':') + 1)); }
};

inline SPlay Play(const fs::path& dir, const std::string& input, long frames,
                  const std::string& options = "") {
  std::ofstream(dir / "input.txt") << input;
  const fs::path trace = dir / "trace.jsonl";
  const SRun run =
      RunCommand(kZelHeadless + "--start 'scenario\\mainScript.adv' --frames " + std::to_string(frames) +
                 " --input \"" + (dir / "input.txt").string() + "\" --trace \"" + trace.string() +
                 "\" --save-dir \"" + dir.string() + "\" " + options + " \"" + kSample.string() + "\"");
  EXPECT_EQ(run.status, 0) << run.output;
  SPlay play;
  std::ifstream in(trace);
  for (std::string line; std::getline(in, line);) play.events.push_back(line);
  return play;
}

inline std::string At(long frame, const std::string& verb) {
  return std::to_string(frame) + " " + verb + "\n";
}

inline std::string Shot(long frame, const fs::path& file) {
  return " --shot " + std::to_string(frame) + " \"" + file.string() + "\"";
}

inline std::string Menu(int from, int to) {
  return "\"event\":\"menu\",\"from\":" + std::to_string(from) + ",\"to\":" + std::to_string(to) + "}";
}

// The screenshot's pixels, row by row.
inline std::vector<uint32_t> ShotPixels(const fs::path& file) {
  CSurface shot;
  EXPECT_TRUE(shot.Load(file.string())) << file;
  return std::vector<uint32_t>(shot.Pixels(), shot.Pixels() + shot.Width() * shot.Height());
}

}  // namespace menurun

#pragma once
// Games played headless by the zel binary for scenario tests: the trace of a run with scripted
// input, its events found by their parts and frames, input lines and screenshots.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include "CommandRun.h"
#include "gfx/Surface.h"

namespace headlessplay {

namespace fs = std::filesystem;

inline const std::string kBuild = ZEL_BUILD_DIR;
inline const fs::path kSample = kBuild + "/sample-game";

inline std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

struct SPlay {
  std::vector<std::string> events;
  // The first event at or after frame `from` that contains every part; its index, or -1.
  int Find(std::initializer_list<std::string> parts, long from = 0) const {
    for (int i = 0; i < static_cast<int>(events.size()); ++i) {
      if (Frame(i) < from) continue;
      bool all = true;
      for (const std::string& part : parts) all = all && events[i].find(part) != std::string::npos;
      if (all) return i;
    }
    return -1;
  }
  // The frame of event i; -1 for no event.
  long Frame(int i) const { return i < 0 ? -1 : std::stol(events[i].substr(events[i].find(':') + 1)); }
  int Count(const std::string& part) const {
    int n = 0;
    for (const std::string& e : events) n += e.find(part) != std::string::npos;
    return n;
  }
};

// Plays the game from its start-up flow (opening script or logos, then the title) with the input and
// options (shots are written into dir).
inline SPlay PlayFromStartUp(const fs::path& game, const fs::path& dir, const std::string& input, long frames,
                             const std::string& options = "") {
  std::ofstream(dir / "input.txt") << input;
  const fs::path trace = dir / "trace.jsonl";
  const SRun run =
      RunCommand(kZelHeadless + "--frames " + std::to_string(frames) + " --input \"" +
                 (dir / "input.txt").string() + "\" --trace \"" + trace.string() + "\" --save-dir \"" +
                 dir.string() + "\" " + options + " \"" + game.string() + "\"");
  EXPECT_EQ(run.status, 0) << run.output;
  SPlay play;
  std::ifstream in(trace);
  for (std::string line; std::getline(in, line);)
    if (line.find("\"event\":\"sound\"") == std::string::npos) play.events.push_back(line);
  return play;
}

// Plays the game from its main script.
inline SPlay Play(const fs::path& game, const fs::path& dir, const std::string& input, long frames,
                  const std::string& options = "") {
  return PlayFromStartUp(game, dir, input, frames, "--start 'scenario\\mainScript.adv' " + options);
}

// The frame at which the first click wait of a game begins.
inline long FirstClick(const fs::path& game, const fs::path& dir) {
  const SPlay play = Play(game, dir, "", 600);
  const int click = play.Find({"\"event\":\"click\""});
  EXPECT_GE(click, 0);
  return click < 0 ? 0 : play.Frame(click);
}

inline std::string At(long frame, const std::string& verb) {
  return std::to_string(frame) + " " + verb + "\n";
}

inline std::string Menu(int from, int to) {
  return "\"event\":\"menu\",\"from\":" + std::to_string(from) + ",\"to\":" + std::to_string(to) + "}";
}

// A --shot option writing the screen after a frame into dir.
inline std::string Shot(long frame, const fs::path& dir, const std::string& name) {
  return " --shot " + std::to_string(frame) + " \"" + (dir / name).string() + "\"";
}

inline uint32_t ShotPixel(const fs::path& file, int x, int y) {
  CSurface shot;
  EXPECT_TRUE(shot.Load(file.string()));
  return shot.Width() > x && shot.Height() > y ? shot.Pixel(x, y) & 0xFFFFFFu : 0;
}

}  // namespace headlessplay

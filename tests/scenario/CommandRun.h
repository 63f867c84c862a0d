#pragma once
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

// Runs a shell command for a scenario test and keeps its exit status and combined output.
struct SRun {
  int status = -1;
  std::string output;
};

// The built player run headless with the redraw check, so every scenario also proves that each frame
// drawn over its dirty spans equals the same frame drawn whole (a difference exits with 3).
inline const std::string kZelHeadless =
    "\"" + std::string(ZEL_BUILD_DIR) + "/zel\" --headless --check-redraw ";

inline SRun RunCommand(const std::string& command) {
  SRun run;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  size_t n = 0;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

// Builds a test game from its sources under tests/games into dir/game; empty when that failed.
inline std::filesystem::path BuildTestGame(const std::string& name, const std::filesystem::path& dir) {
  const std::filesystem::path game = dir / "game";
  const SRun run = RunCommand("\"" + std::string(ZEL_BUILD_DIR) + "/zel-samplebuild\" \"" +
                              std::string(ZEL_SOURCE_DIR) + "/tests/games/" + name + "\" \"" + game.string() +
                              "\" \"" + std::string(ZEL_BUILD_DIR) + "/zeltool\"");
  return run.status == 0 ? game : std::filesystem::path();
}

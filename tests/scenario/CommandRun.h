#pragma once
#include <sys/wait.h>

#include <cstdio>
#include <string>

// Runs a shell command for a scenario test and keeps its exit status and combined output.
struct SRun {
  int status = -1;
  std::string output;
};

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

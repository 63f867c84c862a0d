// zel: the player. Parses the command line, installs the platform backend and runs the game.
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/GameApp.h"
#include "io/Trace.h"
#include "platform/Platform.h"

int main(int argc, char** argv) {
  CCommandLine commandLine;
  std::string error;
  if (!commandLine.Parse(std::vector<std::string>(argv + 1, argv + argc), error)) {
    std::fprintf(stderr, "zel: %s\n%s", error.c_str(), CCommandLine::Usage());
    return 2;
  }
  if (commandLine.showHelp) {
    std::fputs(CCommandLine::Usage(), stdout);
    return 0;
  }
  if (commandLine.showVersion) {
    std::puts("zel 0.1.0");
    return 0;
  }
  std::error_code cwdError;
  commandLine.ResolvePaths(std::filesystem::current_path(cwdError).string());
  if (!commandLine.traceFile.empty() && !CTrace::Open(commandLine.traceFile)) {
    std::fprintf(stderr, "zel: cannot write the trace %s\n", commandLine.traceFile.c_str());
    return 2;
  }
  SPlatformOptions platformOptions;
  platformOptions.scale = commandLine.scale;
  platformOptions.inputScript = commandLine.inputFile;
  platformOptions.defaultYes = commandLine.answerYes;
  platformOptions.audioOut = commandLine.audioOut;
  auto platform = CreatePlatform(commandLine.headless ? "headless" : "sdl", platformOptions, error);
  if (!platform) {
    std::fprintf(stderr, "zel: %s\n", error.c_str());
    return commandLine.headless ? 2 : 1;
  }
  const uint32_t seed = commandLine.seed
                            ? *commandLine.seed
                            : (commandLine.headless ? 1u : static_cast<uint32_t>(std::time(nullptr)));
  platform->Random().Seed(seed);
  InstallPlatform(std::move(platform));
  const int status = CGameApp().Run(commandLine);
  CTrace::Close();
  InstallPlatform(nullptr);
  return status;
}

#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Viewport.h"

// zel's command line: zel [options] [GAME_DIR].
class CCommandLine {
 public:
  struct SShot {
    int64_t frame = 0;
    std::string file;
  };

  // False on a bad command line, with the reason in error.
  bool Parse(const std::vector<std::string>& args, std::string& error);
  static const char* Usage();
  // Makes the file names of --shot, --trace, --input, --audio-out and --save-dir absolute against the
  // folder the player was started from, since the player then changes into the game folder.
  void ResolvePaths(const std::string& startFolder);

  std::string gameDir;
  bool headless = false;
  int64_t frames = -1;  // -1: no frame limit
  std::string inputFile;
  std::vector<SShot> shots;
  std::string traceFile;
  bool answerYes = true;
  std::string startScript;  // Shift JIS data path
  std::string startLabel;
  std::optional<uint32_t> seed;
  std::string audioOut;
  std::string saveDir;
  int scale = 0;  // 0: fit the desktop
  std::optional<bool> fullscreen;
  std::optional<EScaling> scaling;  // none: the scaling kept from the last run
  bool textHook = false;
  bool checkRedraw = false;
  bool showVersion = false;
  bool showHelp = false;
};

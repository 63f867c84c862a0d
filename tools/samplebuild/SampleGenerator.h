#pragma once
#include <filesystem>
#include <string>
#include <vector>

// A step of the sample-game build that writes generated files (art, sound) into the staged game
// folder. Each generator file registers itself with a static CSampleGenerator.
using SampleGeneratorFunction = bool (*)(const std::filesystem::path& stageDir);

class CSampleGenerator {
 public:
  CSampleGenerator(const char* name, SampleGeneratorFunction function);
  static const std::vector<const CSampleGenerator*>& All();

  const char* name;
  SampleGeneratorFunction function;
};

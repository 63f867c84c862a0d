// Every file of fuzz/corpus/TARGET and fuzz/regressions/TARGET runs through its target in the normal
// test build, so seeds keep working and every input that once crashed a parser stays fixed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "FuzzTarget.h"

namespace fs = std::filesystem;

namespace {

const fs::path kFuzzDir = fs::path(ZEL_SOURCE_DIR) / "fuzz";

std::vector<uint8_t> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<fs::path> FilesBelow(const fs::path& dir) {
  std::vector<fs::path> files;
  if (fs::is_directory(dir))
    for (const auto& entry : fs::directory_iterator(dir))
      if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

const SFuzzTarget* Target(const std::string& name) {
  for (const SFuzzTarget& target : FuzzTargets())
    if (target.name == name) return &target;
  return nullptr;
}

// Runs every file of one folder kind through the targets; returns how many ran.
size_t Replay(const char* kind) {
  size_t count = 0;
  for (const SFuzzTarget& target : FuzzTargets())
    for (const fs::path& file : FilesBelow(kFuzzDir / kind / target.name)) {
      SCOPED_TRACE(file.string());
      const std::vector<uint8_t> bytes = ReadAll(file);
      EXPECT_EQ(target.run(bytes.data(), bytes.size()), 0);
      ++count;
    }
  return count;
}

TEST(FuzzReplay, EveryTargetHasSeeds) {
  ASSERT_FALSE(FuzzTargets().empty());
  std::set<std::string> names;
  for (const SFuzzTarget& target : FuzzTargets()) {
    EXPECT_TRUE(names.insert(target.name).second) << "two targets named " << target.name;
    EXPECT_FALSE(FilesBelow(kFuzzDir / "corpus" / target.name).empty()) << target.name << " has no seeds";
  }
  // A folder of inputs that no target reads would be replayed by nothing.
  for (const char* kind : {"corpus", "regressions"})
    for (const auto& entry : fs::directory_iterator(kFuzzDir / kind))
      EXPECT_NE(Target(entry.path().filename().string()), nullptr) << entry.path();
}

TEST(FuzzReplay, SeedsRunCleanly) { EXPECT_GT(Replay("corpus"), 0u); }

TEST(FuzzReplay, RegressionInputsRunCleanly) { EXPECT_GT(Replay("regressions"), 0u); }

TEST(FuzzReplay, EmptyAndTinyInputs) {
  const uint8_t bytes[] = {0, 0xFF, '<', 'R'};
  for (const SFuzzTarget& target : FuzzTargets())
    for (size_t n = 0; n <= sizeof bytes; ++n) {
      SCOPED_TRACE(target.name + " with " + std::to_string(n) + " bytes");
      EXPECT_EQ(target.run(bytes, n), 0);
    }
}

}  // namespace

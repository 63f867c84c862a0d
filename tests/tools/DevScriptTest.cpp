// tools/dev.sh run against stand-ins for the package manager and the build tools: what it builds
// and what it says when it cannot install.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "io/TempDir.h"
#include "scenario/CommandRun.h"

namespace fs = std::filesystem;

namespace {

void Script(const fs::path& file, const std::string& body) {
  std::ofstream(file) << "#!/bin/sh\n" << body << "\n";
  fs::permissions(file, fs::perms::owner_all);
}

std::string ReadAll(const fs::path& file) {
  std::stringstream s;
  s << std::ifstream(file).rdbuf();
  return s.str();
}

// A PATH holding only a shell, a few tools and stand-ins: a non-root user, no package installed,
// no sudo; cmake and apt-get only write down how they were called.
class DevScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path bin = dir.path / "bin";
    fs::create_directories(bin);
    for (const char* tool : {"bash", "dirname", "grep", "nproc", "env"})
      for (const char* folder : {"/usr/bin/", "/bin/"})
        if (fs::exists(std::string(folder) + tool) && !fs::exists(bin / tool)) {
          fs::create_symlink(std::string(folder) + tool, bin / tool);
          break;
        }
    Script(bin / "id", "echo 1000");
    Script(bin / "dpkg-query", "exit 1");
    Script(bin / "cmake", "echo \"cmake $*\" >> \"$LOG\"");
    Script(bin / "apt-get", "echo \"apt-get $*\" >> \"$LOG\"");
    fs::create_directories(dir.path / "build");
    Script(dir.path / "build" / "zel", "echo \"played $*\"");
  }
  SRun Run(const std::string& arguments) {
    const std::string p = dir.path.string();
    return RunCommand("/usr/bin/env -i PATH=\"" + p + "/bin\" LOG=\"" + p + "/log\" BUILD_DIR=\"" + p +
                      "/build\" \"" + std::string(ZEL_SOURCE_DIR) + "/tools/dev.sh\" " + arguments);
  }
  std::string Log() const { return ReadAll(dir.path / "log"); }

  CTempDir dir;
};

}  // namespace

TEST_F(DevScriptTest, PlayBuildsOnlyThePlayerItsToolAndTheSampleGame) {
  const SRun run = Run("play --version");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("played --version"), std::string::npos) << run.output;
  EXPECT_NE(Log().find("--target zel --target zeltool --target sample-game"), std::string::npos) << Log();
}

TEST_F(DevScriptTest, WithoutSudoTheMissingPackagesAreNamedAndNothingIsInstalled) {
  const SRun run = Run("build");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("apt-get install"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("libsdl2-dev"), std::string::npos) << run.output;
  EXPECT_EQ(Log().find("apt-get"), std::string::npos) << Log();
  EXPECT_NE(Log().find("--build"), std::string::npos) << Log();
  EXPECT_EQ(Log().find("--target"), std::string::npos) << "build builds everything: " << Log();
}

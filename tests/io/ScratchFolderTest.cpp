#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "io/ScratchFolder.h"
#include "io/TempDir.h"

namespace {

namespace fs = std::filesystem;

TEST(ScratchFolder, LivesUnderTmpdirAndGoesWithItsContents) {
  const CTempDir tmp;
  const char* old = std::getenv("TMPDIR");
  const std::string previous = old ? old : "";
  setenv("TMPDIR", tmp.path.c_str(), 1);
  std::string path;
  {
    CScratchFolder folder;
    EXPECT_TRUE(folder.Path().empty());
    path = folder.Create("zel-test");
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(folder.Create("other"), path);  // created once
    EXPECT_EQ(fs::path(path).parent_path(), tmp.path);
    CTempDir::Write(path + "/inner/save0.dat", "x");
  }
  EXPECT_FALSE(fs::exists(path));
  EXPECT_TRUE(fs::is_empty(tmp.path));

  setenv("TMPDIR", (tmp.path / "missing").c_str(), 1);
  CScratchFolder failing;
  EXPECT_TRUE(failing.Create("zel-test").empty());
  if (old)
    setenv("TMPDIR", previous.c_str(), 1);
  else
    unsetenv("TMPDIR");
}

}  // namespace

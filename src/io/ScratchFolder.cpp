#include "io/ScratchFolder.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

CScratchFolder::~CScratchFolder() {
  if (path.empty()) return;
  std::error_code error;
  std::filesystem::remove_all(path, error);
}

const std::string& CScratchFolder::Create(const std::string& prefix) {
  if (!path.empty()) return path;
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + prefix + "-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data())) path = buffer.data();
  return path;
}

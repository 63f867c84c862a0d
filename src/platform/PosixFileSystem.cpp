#include "platform/PosixFileSystem.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/UserDirs.h"

namespace fs = std::filesystem;

std::string CPosixFileSystem::ExecutableDirectory() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fs::current_path(ec).string();
  return exe.parent_path().string();
}

std::string CPosixFileSystem::UserDataDirectory() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) return xdg;
  if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.local/share";
  return ".";
}

std::string CPosixFileSystem::PicturesDirectory() { return CUserDirs::PicturesDirectory(); }

bool CPosixFileSystem::CreateDirectory(const std::string& path) {
  std::error_code ec;
  fs::create_directories(path, ec);
  return fs::is_directory(path, ec);
}

bool CPosixFileSystem::DirectoryExists(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

#pragma once
#include <string>

// The few file-system services the engine needs beyond reading files.
class IFileSystem {
 public:
  virtual ~IFileSystem() = default;
  // The folder that holds the running executable.
  virtual std::string ExecutableDirectory() = 0;
  // The per-user data folder ($XDG_DATA_HOME, else ~/.local/share).
  virtual std::string UserDataDirectory() = 0;
  // The desktop's pictures folder (xdg-user-dirs); empty when the desktop names none.
  virtual std::string PicturesDirectory() = 0;
  virtual bool CreateDirectory(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
};

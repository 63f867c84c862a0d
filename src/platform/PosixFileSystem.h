#pragma once
#include "platform/FileSystem.h"

// File-system services of a POSIX desktop (Linux, BSD, macOS).
class CPosixFileSystem : public IFileSystem {
 public:
  std::string ExecutableDirectory() override;
  std::string UserDataDirectory() override;
  std::string PicturesDirectory() override;
  bool CreateDirectory(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
};

#pragma once
#include <string>

// A fresh folder under the system's temporary folder ($TMPDIR, else /tmp), removed with everything in
// it when the object goes away.
class CScratchFolder {
 public:
  CScratchFolder() = default;
  ~CScratchFolder();
  CScratchFolder(const CScratchFolder&) = delete;
  CScratchFolder& operator=(const CScratchFolder&) = delete;

  // Creates the folder (once) and returns its path; empty when it cannot be created.
  const std::string& Create(const std::string& prefix);
  const std::string& Path() const { return path; }

 private:
  std::string path;
};

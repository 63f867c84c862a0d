#pragma once
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "io/LooseFiles.h"

// A fresh folder that is the working directory while the test runs, removed afterwards.
class CTempDir {
 public:
  CTempDir() {
    char pattern[] = "/tmp/zel-test-XXXXXX";
    path = mkdtemp(pattern);
    previous = std::filesystem::current_path();
    std::filesystem::current_path(path);
    CLooseFiles::Instance().ForgetListings();
  }
  ~CTempDir() {
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(path);
    CLooseFiles::Instance().ForgetListings();
  }
  CTempDir(const CTempDir&) = delete;
  CTempDir& operator=(const CTempDir&) = delete;

  // Writes a file below the folder (a UTF-8 relative path), creating its folders.
  static void Write(const std::string& relative, const std::vector<uint8_t>& bytes) {
    std::filesystem::path p(relative);
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  static void Write(const std::string& relative, const std::string& text) {
    Write(relative, std::vector<uint8_t>(text.begin(), text.end()));
  }
  static std::vector<uint8_t> Read(const std::string& relative) {
    std::ifstream in(relative, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  std::filesystem::path path;

 private:
  std::filesystem::path previous;
};

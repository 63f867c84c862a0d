#include "FuzzFolder.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "gfx/PngWriter.h"
#include "io/LooseFiles.h"

namespace fs = std::filesystem;

CFuzzFolder& CFuzzFolder::Instance() {
  static CFuzzFolder folder;
  return folder;
}

CFuzzFolder::CFuzzFolder() {
  // A memory file system where there is one: every input is written once per execution.
  const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  std::string pattern = std::string(base) + "/zel-fuzz-XXXXXX";
  if (!mkdtemp(pattern.data())) {
    std::perror("mkdtemp");
    std::abort();
  }
  path = pattern;
  previous = fs::current_path().string();
  fs::current_path(path);
}

CFuzzFolder::~CFuzzFolder() {
  std::error_code ignored;
  fs::current_path(previous, ignored);
  fs::remove_all(path, ignored);
}

void CFuzzFolder::Write(const std::string& relative, const uint8_t* data, size_t size) {
  const fs::path file(relative);
  if (file.has_parent_path() && !fs::exists(file.parent_path())) fs::create_directories(file.parent_path());
  const bool isNew = !fs::exists(file);
  FILE* out = std::fopen(relative.c_str(), "wb");
  if (!out) {
    std::perror(relative.c_str());
    std::abort();
  }
  if (size > 0) std::fwrite(data, 1, size, out);
  std::fclose(out);
  // The loose-file layer caches folder listings; a name it has not seen needs a fresh listing.
  if (isNew) CLooseFiles::Instance().ForgetListings();
}

void CFuzzFolder::Write(const std::string& relative, const std::string& text) {
  Write(relative, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

void CFuzzFolder::WritePicture(const std::string& relative, int width, int height) {
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = 0xFF000000u | static_cast<uint32_t>(i * 0x010203u);
  const fs::path file(relative);
  if (file.has_parent_path()) fs::create_directories(file.parent_path());
  CPngWriter::Write(relative, pixels.data(), width, height, width, true);
  CLooseFiles::Instance().ForgetListings();
}

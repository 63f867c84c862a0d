#include "io/DiskFile.h"

#include <sys/stat.h>

std::unique_ptr<CDiskFile> CDiskFile::Open(const std::string& hostPath) {
  FILE* file = std::fopen(hostPath.c_str(), "rb");
  if (!file) return nullptr;
  struct stat info;
  if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
    std::fclose(file);
    return nullptr;
  }
  return std::unique_ptr<CDiskFile>(new CDiskFile(file, static_cast<uint64_t>(info.st_size)));
}

CDiskFile::~CDiskFile() { std::fclose(file); }

size_t CDiskFile::Read(void* buffer, size_t count) { return std::fread(buffer, 1, count, file); }

bool CDiskFile::Seek(uint64_t target) {
  if (target > length) return false;
  return fseeko(file, static_cast<off_t>(target), SEEK_SET) == 0;
}

uint64_t CDiskFile::GetPosition() const {
  off_t position = ftello(file);
  return position < 0 ? 0 : static_cast<uint64_t>(position);
}

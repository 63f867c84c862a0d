#include "io/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace {

CAtomicFile::EFault injected = CAtomicFile::EFault::kNone;

bool Fails(CAtomicFile::EFault step) { return injected == step; }

bool WriteAll(int fd, const uint8_t* data, size_t size) {
  size_t limit = Fails(CAtomicFile::EFault::kWrite) ? size / 2 : size;
  size_t done = 0;
  while (done < limit) {
    ssize_t n = ::write(fd, data + done, limit - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return done == size;
}

std::string FolderOf(const std::string& hostPath) {
  std::filesystem::path parent = std::filesystem::path(hostPath).parent_path();
  return parent.empty() ? std::string(".") : parent.string();
}

// Makes the rename durable. Some file systems cannot sync a folder; the new file is in place
// either way, so this cannot fail the write.
void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Writes and syncs the temporary file; false on any failure (the caller removes it).
bool WriteTemporary(const std::string& tempPath, const uint8_t* data, size_t size) {
  if (Fails(CAtomicFile::EFault::kCreate)) return false;
  int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, data, size) && !Fails(CAtomicFile::EFault::kSync) && ::fsync(fd) == 0;
  return ::close(fd) == 0 && ok;
}

}  // namespace

bool CAtomicFile::Write(const std::string& hostPath, const void* data, size_t size, bool createFolders) {
  if (hostPath.empty()) return false;
  const std::string folder = FolderOf(hostPath);
  std::error_code error;
  if (createFolders) std::filesystem::create_directories(folder, error);
  const std::string tempPath = hostPath + kTempSuffix;
  bool ok = WriteTemporary(tempPath, static_cast<const uint8_t*>(data), size) && !Fails(EFault::kRename) &&
            ::rename(tempPath.c_str(), hostPath.c_str()) == 0;
  if (!ok) {
    ::unlink(tempPath.c_str());
    return false;
  }
  SyncFolder(folder);
  return true;
}

int CAtomicFile::RemoveLeftovers(const std::string& folder) {
  const std::string suffix = kTempSuffix;
  int removed = 0;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.size() > suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0 && it->is_regular_file(error) &&
        std::filesystem::remove(it->path(), error))
      ++removed;
  }
  return removed;
}

void CAtomicFile::InjectFault(EFault fault) { injected = fault; }

#include "io/PackArchive.h"

#include <sys/stat.h>

#include "io/DiskFile.h"
#include "io/LooseFiles.h"
#include "io/PackMemFile.h"
#include "io/ShiftJis.h"
#include "io/SystemLog.h"

CPackArchive& CPackArchive::Instance() {
  static CPackArchive instance;
  return instance;
}

bool CPackArchive::Mount(const std::string& archiveFile, const std::string& prefix) {
  std::string hostPath = CLooseFiles::Instance().Find(archiveFile);
  if (hostPath.empty()) return false;
  std::unique_ptr<CArchiveFile> archive = CArchiveFile::Open(hostPath);
  if (!archive) return false;
  std::string key = prefix.empty() ? std::string() : sjis::ToUpperAscii(prefix) + "\\";
  mounted.push_back({archiveFile, std::move(key), std::move(archive)});
  return true;
}

void CPackArchive::UnmountAll() { mounted.clear(); }

template <typename Use>
bool CPackArchive::ForEachHolder(const std::string& name, Use use) const {
  const std::string upper = sjis::ToUpperAscii(name);
  for (const SMounted& m : mounted) {
    if (upper.compare(0, m.prefixKey.size(), m.prefixKey) != 0) continue;
    const CArchiveFile::SEntry* entry = m.archive->Find(upper.substr(m.prefixKey.size()));
    if (entry && use(*m.archive, *entry)) return true;
  }
  return false;
}

bool CPackArchive::LoadFile(const std::string& name, std::vector<uint8_t>& content) {
  const CArchiveFile::ECoding coding = CArchiveFile::CodingForName(name);
  if (ForEachHolder(name, [&](const CArchiveFile& archive, const CArchiveFile::SEntry& entry) {
        return archive.ReadEntry(entry, coding, content);
      }))
    return true;
  content.clear();
  std::unique_ptr<CReadFile> file = OpenLooseFile(name);
  if (!file) return false;
  content.resize(static_cast<size_t>(file->GetLength()));
  return file->Read(content.data(), content.size()) == content.size();
}

std::unique_ptr<CReadFile> CPackArchive::OpenLooseFile(const std::string& name) {
  std::string hostPath = CLooseFiles::Instance().Find(name);
  if (hostPath.empty()) return nullptr;
  return CDiskFile::Open(hostPath);
}

std::unique_ptr<CReadFile> CPackArchive::OpenFile(const std::string& name) {
  std::unique_ptr<CReadFile> result;
  const CArchiveFile::ECoding coding = CArchiveFile::CodingForName(name);
  ForEachHolder(name, [&](const CArchiveFile& archive, const CArchiveFile::SEntry& entry) {
    std::vector<uint8_t> content;
    if (!archive.ReadEntry(entry, coding, content)) return false;
    result = std::make_unique<CPackMemFile>(std::move(content));
    return true;
  });
  if (!result) result = OpenLooseFile(name);
  if (result) result->SetFileName(name);
  return result;
}

FILE* CPackArchive::OpenStream(const std::string& name, uint32_t& size) {
  FILE* stream = nullptr;
  ForEachHolder(name, [&](const CArchiveFile& archive, const CArchiveFile::SEntry& entry) {
    stream = archive.OpenEntryStream(entry, size);
    return stream != nullptr;
  });
  if (stream) return stream;
  std::string hostPath = CLooseFiles::Instance().Find(name);
  if (hostPath.empty() || !(stream = std::fopen(hostPath.c_str(), "rb"))) return nullptr;
  struct stat info;
  // Streams report 32-bit lengths; a larger loose file is refused rather than cut short silently.
  if (fstat(fileno(stream), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > UINT32_MAX) {
    std::fclose(stream);
    return nullptr;
  }
  size = static_cast<uint32_t>(info.st_size);
  return stream;
}

bool CPackArchive::Exists(const std::string& name) {
  if (ForEachHolder(name, [](const CArchiveFile&, const CArchiveFile::SEntry&) { return true; })) return true;
  return !CLooseFiles::Instance().Find(name).empty();
}

void CPackArchive::LogArchives() {
  CSystemLog::LogMessage("\nアーカイブ\n");
  for (const SMounted& m : mounted)
    CSystemLog::LogMessage("%s %dB\n", m.path.c_str(), static_cast<int>(m.archive->FileLength()));
}

// ARC2 archives: the index, every entry decoded in the coding it was stored with (LZSS included),
// and the file layer answering names from the mounted archive.
#include <vector>

#include "FuzzFolder.h"
#include "FuzzTarget.h"
#include "io/ArchiveFile.h"
#include "io/PackArchive.h"
#include "io/ReadFile.h"

namespace {
constexpr size_t kEntriesRead = 64;
}

ZEL_FUZZ_TARGET(archive) {
  CFuzzFolder::Instance().Write("fuzz.arc", data, size);
  if (auto archive = CArchiveFile::Open("fuzz.arc")) {
    std::vector<uint8_t> content;
    const auto& entries = archive->Entries();
    for (size_t i = 0; i < entries.size() && i < kEntriesRead; ++i)
      archive->ReadEntry(entries[i], archive->StoredCoding(entries[i]), content);
  }
  CPackArchive& files = CPackArchive::Instance();
  if (files.Mount("fuzz.arc", "pack")) {
    if (auto archive = CArchiveFile::Open("fuzz.arc"); archive && !archive->Entries().empty()) {
      const std::string name = "pack\\" + archive->Entries().front().name;
      std::vector<uint8_t> content;
      files.LoadFile(name, content);
      if (auto file = files.OpenFile(name)) {
        uint8_t buffer[256];
        while (file->Read(buffer, sizeof buffer) > 0) {
        }
      }
      uint32_t streamSize = 0;
      if (FILE* stream = files.OpenStream(name, streamSize)) std::fclose(stream);
    }
  }
  files.UnmountAll();
  return 0;
}

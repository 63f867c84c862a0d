#include <cstdio>

#include "ArcCommands.h"
#include "ToolCommand.h"
#include "io/ArchiveFile.h"
#include "io/ShiftJis.h"

int ArcList(const std::vector<std::string>& args) {
  std::unique_ptr<CArchiveFile> archive = CArchiveFile::Open(args[0]);
  if (!archive) return ToolFail(args[0] + ": not a readable ARC2 archive");
  for (const CArchiveFile::SEntry& entry : archive->Entries())
    std::printf("%s %u %u\n", sjis::ToUtf8(entry.name).c_str(), entry.size, entry.offset);
  return 0;
}

// zeltool arc pack|list|extract: the game's "ARC2" archives.
#include <cstdio>

#include "ToolCommand.h"
#include "io/ArchiveFile.h"
#include "io/ArchiveTree.h"
#include "io/ShiftJis.h"

namespace {

int List(const std::string& path) {
  std::unique_ptr<CArchiveFile> archive = CArchiveFile::Open(path);
  if (!archive) return ToolFail(path + ": not a readable ARC2 archive");
  for (const CArchiveFile::SEntry& entry : archive->Entries())
    std::printf("%s %u %u\n", sjis::ToUtf8(entry.name).c_str(), entry.size, entry.offset);
  return 0;
}

int Arc(const std::vector<std::string>& args) {
  const std::string verb = args.empty() ? "" : args[0];
  std::string error;
  if (verb == "pack" && args.size() == 3)
    return CArchiveTree::Pack(args[1], args[2], error) ? 0 : ToolFail(error);
  if (verb == "list" && args.size() == 2) return List(args[1]);
  if (verb == "extract" && args.size() == 3)
    return CArchiveTree::Extract(args[1], args[2], error) ? 0 : ToolFail(error);
  return ToolFail("usage: zeltool arc pack OUT.arc DIR | arc list ARC | arc extract ARC DIR");
}

const CToolCommand kArc(
    "arc", "arc pack OUT.arc DIR | arc list ARC | arc extract ARC DIR",
    "pack a folder into an archive, list its entries (name, size, offset) or extract them", Arc);

}  // namespace

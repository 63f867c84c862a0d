#include "ToolCommand.h"

#include <cstdio>
#include <cstring>

#include "io/PackArchive.h"
#include "io/Path.h"
#include "persist/Settings.h"

namespace {
std::vector<const CToolCommand*>& Table() {
  static std::vector<const CToolCommand*> table;
  return table;
}
}  // namespace

CToolCommand::CToolCommand(const char* n, const char* u, const char* s, ToolFunction f)
    : name(n), usage(u), summary(s), function(f) {
  Table().push_back(this);
}

const CToolCommand* CToolCommand::Find(const std::string& n) {
  for (const CToolCommand* c : Table())
    if (n == c->name) return c;
  return nullptr;
}

void CToolCommand::PrintUsage(FILE* out) {
  std::fputs("usage:\n", out);
  for (const CToolCommand* c : Table()) std::fprintf(out, "  zeltool %s\n      %s\n", c->usage, c->summary);
}

int ToolFail(const std::string& message) {
  std::fprintf(stderr, "zeltool: %s\n", message.c_str());
  return 1;
}

bool LoadGameSettings(const std::string& gameDir) {
  if (!SetExeDirectoryCurrent(gameDir)) {
    ToolFail(gameDir + ": cannot enter the game folder");
    return false;
  }
  return settings::LoadSettings() && CPackArchive::Instance().Exists("system\\setting.csv");
}

// zeltool arc pack|list|extract: the game's "ARC2" archives.
#include "ArcCommands.h"
#include "ToolCommand.h"
#include "io/ShiftJis.h"

bool ToShiftJisName(const std::string& name, std::string& sjisName) {
  if (!sjis::IsValidUtf8(name)) {
    sjisName = name;
    return true;
  }
  bool ok = true;
  sjisName = sjis::FromUtf8(name, &ok);
  return ok;
}

namespace {

int Arc(const std::vector<std::string>& args) {
  const std::string verb = args.empty() ? "" : args[0];
  const std::vector<std::string> rest(args.begin() + (args.empty() ? 0 : 1), args.end());
  if (verb == "pack" && rest.size() == 2) return ArcPack(rest);
  if (verb == "list" && rest.size() == 1) return ArcList(rest);
  if (verb == "extract" && rest.size() == 2) return ArcExtract(rest);
  return ToolFail("usage: zeltool arc pack OUT.arc DIR | arc list ARC | arc extract ARC DIR");
}

const CToolCommand kArc("arc", "arc pack OUT.arc DIR | arc list ARC | arc extract ARC DIR", Arc);

}  // namespace

#include "io/SystemLog.h"

#include <cstdarg>
#include <filesystem>

#include "io/AtomicFile.h"
#include "io/Format.h"
#include "io/LooseFiles.h"
#include "io/Path.h"

namespace {

struct SLogState {
  bool open = false;
  std::string path;
  std::string text;
};

SLogState& State() {
  static SLogState state;
  return state;
}

std::string& FallbackFolder() {
  static std::string folder;
  return folder;
}

// Creates the file empty, so a log that cannot be written is known at once and an old log never
// outlives the start that could not replace it.
bool CreateEmpty(const std::string& hostPath, bool createFolders) {
  return CAtomicFile::Write(hostPath, nullptr, 0, createFolders);
}

}  // namespace

void CSystemLog::OpenLog(const std::string& name) {
  CloseLog();
  // The name comes from the game's settings; one that leaves the game folder is refused, as the
  // log would truncate whatever file it names.
  if (!StaysInsideFolder(name)) return;
  SLogState& s = State();
  s.path = CLooseFiles::ToHostPath(ResolvePath(name));
  if (!CreateEmpty(s.path, false)) {
    if (FallbackFolder().empty()) return s.path.clear();
    s.path = (std::filesystem::path(FallbackFolder()) / std::filesystem::path(s.path).filename()).string();
    if (!CreateEmpty(s.path, true)) return s.path.clear();
  }
  s.open = true;
}

void CSystemLog::SetFallbackFolder(const std::string& hostFolder) { FallbackFolder() = hostFolder; }

void CSystemLog::CloseLog() {
  SLogState& s = State();
  if (s.open) CAtomicFile::Write(s.path, s.text.data(), s.text.size(), false);
  s = SLogState();
}

bool CSystemLog::IsOpen() { return State().open; }

const std::string& CSystemLog::Path() { return State().path; }

void CSystemLog::LogMessage(const char* format, ...) {
  SLogState& s = State();
  if (!s.open) return;
  va_list args;
  va_start(args, format);
  const std::string text = FormatV(format, args);
  va_end(args);
  for (char c : text) {
    if (c == '\n') s.text += '\r';
    s.text += c;
  }
}

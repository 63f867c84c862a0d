#include "io/SystemLog.h"

#include <cstdarg>
#include <cstdio>

#include "io/Format.h"
#include "io/LooseFiles.h"
#include "io/Path.h"

namespace {
FILE*& LogFile() {
  static FILE* file = nullptr;
  return file;
}
}  // namespace

void CSystemLog::OpenLog(const std::string& name) {
  CloseLog();
  // The name comes from the game's settings; one that leaves the game folder is refused, as the
  // log would truncate whatever file it names.
  if (!StaysInsideFolder(name)) return;
  LogFile() = std::fopen(CLooseFiles::ToHostPath(ResolvePath(name)).c_str(), "wb");
}

void CSystemLog::CloseLog() {
  if (LogFile()) std::fclose(LogFile());
  LogFile() = nullptr;
}

bool CSystemLog::IsOpen() { return LogFile() != nullptr; }

void CSystemLog::LogMessage(const char* format, ...) {
  if (!LogFile()) return;
  va_list args;
  va_start(args, format);
  const std::string text = FormatV(format, args);
  va_end(args);
  for (char c : text) {
    if (c == '\n') std::fputc('\r', LogFile());
    std::fputc(c, LogFile());
  }
}

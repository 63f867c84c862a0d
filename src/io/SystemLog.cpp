#include "io/SystemLog.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

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
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::vector<char> text(length > 0 ? length + 1 : 1);
  std::vsnprintf(text.data(), text.size(), format, args);
  va_end(args);
  for (int i = 0; i < length; ++i) {
    if (text[i] == '\n') std::fputc('\r', LogFile());
    std::fputc(text[i], LogFile());
  }
}

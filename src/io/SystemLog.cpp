#include "io/SystemLog.h"

#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <string>

#include "io/Format.h"
#include "io/LooseFiles.h"
#include "io/Path.h"

namespace {
FILE*& LogFile() {
  static FILE* file = nullptr;
  return file;
}

std::string& FallbackFolder() {
  static std::string folder;
  return folder;
}
}  // namespace

void CSystemLog::OpenLog(const std::string& name) {
  CloseLog();
  // The name comes from the game's settings; one that leaves the game folder is refused, as the
  // log would truncate whatever file it names.
  if (!StaysInsideFolder(name)) return;
  const std::filesystem::path path = CLooseFiles::ToHostPath(ResolvePath(name));
  LogFile() = std::fopen(path.c_str(), "wb");
  if (LogFile() || FallbackFolder().empty()) return;
  std::error_code ec;
  std::filesystem::create_directories(FallbackFolder(), ec);
  LogFile() = std::fopen((std::filesystem::path(FallbackFolder()) / path.filename()).c_str(), "wb");
}

void CSystemLog::SetFallbackFolder(const std::string& hostFolder) { FallbackFolder() = hostFolder; }

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

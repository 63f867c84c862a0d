#pragma once
#include <string>

// The start-up report system.log: open only while the engine starts; messages at other times are
// dropped. Lines end with CR LF, as the file has always been written in text mode. The text is
// collected while the log is open and written whole when it closes, through a temporary file, so
// an earlier log is replaced in one step.
class CSystemLog {
 public:
  // Closes any open log and creates the file anew (a Shift JIS data path resolved against the base
  // directory); the log stays closed when it cannot be created or the name leaves the game folder
  // (absolute, or with a ".." part).
  static void OpenLog(const std::string& name);
  // Where the log goes (under its own file name) when the game folder cannot take it, as when the
  // game is installed read-only: the per-user save folder. Empty for none.
  static void SetFallbackFolder(const std::string& hostFolder);
  static void CloseLog();
  static bool IsOpen();
  // The host path the open log will be written to; empty when closed.
  static const std::string& Path();
  static void LogMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));
};

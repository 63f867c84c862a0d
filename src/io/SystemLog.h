#pragma once
#include <string>

// The start-up report system.log: open only while the engine starts; messages at other times are
// dropped. Lines end with CR LF, as the file has always been written in text mode.
class CSystemLog {
 public:
  // Closes any open log and creates the file (a Shift JIS data path resolved against the base
  // directory); the log stays closed when it cannot be created or the name leaves the game folder
  // (absolute, or with a ".." part).
  static void OpenLog(const std::string& name);
  static void CloseLog();
  static bool IsOpen();
  static void LogMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));
};

#pragma once
#include <ctime>
#include <string>

class CDisplay;
class IFileSystem;

// The screenshot key: the screen buffer as the player sees it, at game resolution, written as a PNG
// into the desktop's pictures folder ("zel" inside it), or the save folder when there is none.
class CScreenshot {
 public:
  // "TITLE YYYY-MM-DD HH-MM-SS" with path separators and control characters of the (UTF-8) title
  // replaced, "zel" for an empty title; a number after the time tells apart shots of one second.
  static std::string FileName(const std::string& titleUtf8, const std::tm& time, int number);
  // The folder shots go to.
  static std::string Folder(IFileSystem& files);
  // Writes the screen into the folder; the file written, or empty on failure. Reported to the trace
  // as "screenshot" with "file" and "ok".
  static std::string Save(const CDisplay& display, const std::string& titleSjis, const std::string& folder);
};

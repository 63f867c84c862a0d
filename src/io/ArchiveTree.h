#pragma once
#include <string>

// Packs a folder of the file system into an archive and writes an archive's entries back out.
// File-system names are UTF-8 and entry names Shift JIS with '\' separators.
class CArchiveTree {
 public:
  // Packs every regular file below dir (names relative to dir, in sorted order) into out.
  static bool Pack(const std::string& out, const std::string& dir, std::string& error);
  // Writes every entry of archive, decoded, below dir. Entries whose names would leave dir are
  // refused before anything is written.
  static bool Extract(const std::string& archive, const std::string& dir, std::string& error);

  // A name from the command line or the file system as Shift JIS: valid UTF-8 is converted,
  // anything else is taken as Shift JIS bytes already. False when UTF-8 text has no Shift JIS form.
  static bool ToShiftJisName(const std::string& name, std::string& sjisName);
  // The path below the output folder (UTF-8, '/' separators) for an entry name; false when a part
  // of the name is empty, "." or "..", or holds a NUL byte.
  static bool OutputPath(const std::string& entryName, std::string& relative);
};

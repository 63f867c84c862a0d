#pragma once
#include <string>
#include <vector>

#include "io/ReadFile.h"

// Data paths are Shift JIS with '\' separators. Files that name other files resolve those names
// against the process-wide base directory: a loader keeps the result of SetBaseDirectory(its own
// path), passes every name it reads through ResolvePath and restores the kept value at the end.

// Makes the folder of path (up to and including its last '\') the base directory; a path without
// '\' empties it. Returns the previous base directory.
std::string SetBaseDirectory(std::string path);
// A path relative to the base directory, made relative to the working directory; leading "..\"
// steps climb out of the base directory.
std::string ResolvePath(const std::string& relative);
// A name that a data file holds, resolved against that file's own folder (the base directory is
// left as it was).
std::string ResolveBeside(const std::string& file, const std::string& name);
// The inverse of ResolvePath for writers that store names: a working-directory path made relative
// to the base directory, with "..\" steps where needed.
std::string MakeRelativePath(const std::string& path);
// True when a data path from game data names a file below the folder it is resolved against: not
// absolute ('\' or '/' first, or a drive letter) and without a ".." part. Files the engine writes
// under names taken from game data must pass, so a game cannot make it overwrite other files.
bool StaysInsideFolder(const std::string& path);
// The extension in upper case without the dot ("PNG"); empty when the last part has no '.'.
std::string GetExtension(const std::string& path);
// Makes the game folder (a UTF-8 path on the file system) the working directory, so every data path
// is relative to it. An empty gameDir means the executable's folder. False when it cannot be entered.
bool SetExeDirectoryCurrent(const std::string& gameDir);

// Reads the next line that holds at least one token into tokens: tokens are separated by blanks,
// tabs and line ends; a token that begins with '"' runs to the next '"' and keeps its blanks.
// Lines are read in pieces of at most 259 bytes. Returns 1, or 0 at the end of the file or at a NUL.
int ReadTokenLine(CReadFile& file, std::vector<std::string>& tokens);

// Shows a modal error box with the caption "error" (at most 259 bytes of text). Without an
// installed platform the text goes to standard error.
void ShowError(const std::string& text);
void ShowError(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The loaders' report of a file they could not open: "%s ファイルが開けません".
void ShowFileError(const std::string& name);

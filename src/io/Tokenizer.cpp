#include <cstring>

#include "io/Path.h"

namespace {

constexpr size_t kLineBuffer = 260;
constexpr const char* kDelimiters = " \t\r\n";

bool IsDelimiter(char c) { return std::strchr(kDelimiters, c) != nullptr && c != '\0'; }

enum class ELine { kRead, kEnd };

// Reads one line of at most kLineBuffer - 1 bytes; the line feed ends it and is not stored.
ELine ReadLine(CReadFile& file, std::string& line) {
  line.clear();
  bool readAny = false;
  while (line.size() < kLineBuffer - 1) {
    char c = 0;
    if (file.Read(&c, 1) != 1) return readAny ? ELine::kRead : ELine::kEnd;
    readAny = true;
    if (c == '\0') return ELine::kEnd;
    if (c == '\n') break;
    line.push_back(c);
  }
  return ELine::kRead;
}

void SplitLine(const std::string& line, std::vector<std::string>& tokens) {
  size_t i = 0;
  while (i < line.size()) {
    if (IsDelimiter(line[i])) {
      ++i;
    } else if (line[i] == '"') {
      size_t close = line.find('"', i + 1);
      size_t end = close == std::string::npos ? line.size() : close;
      tokens.push_back(line.substr(i + 1, end - i - 1));
      i = close == std::string::npos ? end : close + 1;
    } else {
      size_t end = i;
      while (end < line.size() && !IsDelimiter(line[end])) ++end;
      tokens.push_back(line.substr(i, end - i));
      i = end;
    }
  }
}

}  // namespace

int ReadTokenLine(CReadFile& file, std::vector<std::string>& tokens) {
  tokens.clear();
  std::string line;
  while (tokens.empty()) {
    if (ReadLine(file, line) == ELine::kEnd) {
      tokens.clear();
      return 0;
    }
    SplitLine(line, tokens);
  }
  return 1;
}

#include "platform/UserDirs.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string StripSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// A value is "$HOME/relative" or "/absolute", in double quotes.
std::string ParseValue(const std::string& quoted, const std::string& home) {
  if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') return {};
  const std::string value = quoted.substr(1, quoted.size() - 2);
  std::string path;
  if (value.rfind("$HOME", 0) == 0 && (value.size() == 5 || value[5] == '/'))
    path = home + value.substr(5);
  else if (!value.empty() && value[0] == '/')
    path = value;
  else
    return {};
  path = StripSlashes(path);
  return path == StripSlashes(home) ? std::string() : path;
}

}  // namespace

std::string CUserDirs::Parse(const std::string& fileText, const std::string& key, const std::string& home) {
  std::istringstream in(fileText);
  std::string found;
  for (std::string line; std::getline(in, line);) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    if (line.compare(start, key.size() + 1, key + "=") != 0) continue;
    found = ParseValue(line.substr(start + key.size() + 1), home);
  }
  return found;
}

std::string CUserDirs::PicturesDirectory() {
  if (std::string direct = Environment("XDG_PICTURES_DIR"); !direct.empty()) return StripSlashes(direct);
  const std::string home = Environment("HOME");
  std::string config = Environment("XDG_CONFIG_HOME");
  if (config.empty() && !home.empty()) config = home + "/.config";
  if (config.empty()) return {};
  std::ifstream file(config + "/user-dirs.dirs");
  if (!file) return {};
  std::ostringstream text;
  text << file.rdbuf();
  return Parse(text.str(), "XDG_PICTURES_DIR", home);
}

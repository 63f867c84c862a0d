#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

// The frame of the first event after a comment line of the sample's playthrough that starts with
// prefix (UTF-8), so tests follow the route when the playthrough is re-timed.
inline int64_t KeyFrameAfter(const char8_t* utf8Prefix) {
  const std::string prefix(reinterpret_cast<const char*>(utf8Prefix));
  std::ifstream in(std::string(ZEL_SOURCE_DIR) + "/sample/playthrough.input");
  bool found = false;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(prefix, 0) == 0) found = true;
    int64_t frame = 0;
    if (found && !line.empty() && line[0] != '#' && std::istringstream(line) >> frame) return frame;
  }
  ADD_FAILURE() << "no event after " << prefix;
  return 0;
}

// The playthrough's lines up to (not including) the comment line that starts with prefix (UTF-8).
inline std::string PlaythroughBefore(const char8_t* utf8Prefix) {
  const std::string prefix(reinterpret_cast<const char*>(utf8Prefix));
  std::ifstream in(std::string(ZEL_SOURCE_DIR) + "/sample/playthrough.input");
  std::string out;
  for (std::string line; std::getline(in, line) && line.rfind(prefix, 0) != 0;) out += line + "\n";
  return out;
}

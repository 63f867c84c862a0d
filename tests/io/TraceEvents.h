#pragma once
#include <fstream>
#include <regex>
#include <string>
#include <vector>

// The events of a trace file, one per line, without their frame numbers, so two runs that reach the
// same events at different frames compare equal.
inline std::vector<std::string> ReadTraceEvents(const std::string& path) {
  std::vector<std::string> events;
  std::ifstream in(path);
  static const std::regex frame("\"frame\":[0-9]+,?");
  for (std::string line; std::getline(in, line);) events.push_back(std::regex_replace(line, frame, ""));
  return events;
}

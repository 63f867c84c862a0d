#include "persist/Keywords.h"

namespace {
std::string Lookup(const std::map<std::string, std::string>& map, const std::string& key) {
  auto it = map.find(key);
  return it == map.end() ? std::string() : it->second;
}
}  // namespace

void CKeywords::Clear() {
  current.clear();
  defaults.clear();
}

void CKeywords::Declare(const std::string& key, const std::string& value) {
  current[key] = value;
  defaults[key] = value;
}

std::string CKeywords::Get(const std::string& key) const { return Lookup(current, key); }

std::string CKeywords::GetDefault(const std::string& key) const { return Lookup(defaults, key); }

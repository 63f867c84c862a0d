#pragma once
#include <map>
#include <string>

// Keywords from the "キーワード" rows: each has a current value (the name input edits the one of
// "主人公の名前") and the default it was declared with.
class CKeywords {
 public:
  void Clear();
  // Declares a keyword: both its current and its default value become value.
  void Declare(const std::string& key, const std::string& value);
  bool Has(const std::string& key) const { return current.count(key) != 0; }
  // The current value; empty for an unknown key.
  std::string Get(const std::string& key) const;
  std::string GetDefault(const std::string& key) const;
  void Set(const std::string& key, const std::string& value) { current[key] = value; }
  // Every current value returns to its default.
  void ResetToDefaults() { current = defaults; }
  const std::map<std::string, std::string>& Current() const { return current; }

 private:
  std::map<std::string, std::string> current;
  std::map<std::string, std::string> defaults;
};

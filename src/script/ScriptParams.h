#pragma once
#include <cstdint>
#include <map>
#include <string>

// A keyword of a script name table and the text shown for it in command descriptions.
struct SScriptName {
  const char* keyword;
  const char* display;
};

// The parameters of one tag as written (keys and values with their case), with the conversions
// the commands apply once, when they are constructed. An absent parameter gives the default.
class CScriptParams {
 public:
  using Map = std::map<std::string, std::string>;
  explicit CScriptParams(const Map& values) : values(values) {}

  // The value as written.
  std::string Text(const std::string& key) const;
  // The decimal value of the leading digits (an optional sign first); no digits give 0.
  int32_t Int(const std::string& key, int32_t fallback) const;
  // 1 when the value is exactly "ON" (FlagOn) or "TRUE" (FlagTrue).
  bool FlagOn(const std::string& key, bool fallback) const;
  bool FlagTrue(const std::string& key, bool fallback) const;
  // The value resolved as a data path against the base directory; empty stays empty.
  std::string Path(const std::string& key) const;
  // Hexadecimal digits; other characters are skipped.
  int32_t Color(const std::string& key, int32_t fallback) const;
  // The index of the table entry equal to the value; a value not in the table gives the fallback.
  int32_t Name(const std::string& key, const SScriptName* table, int32_t count, int32_t fallback) const;
  template <int32_t N>
  int32_t Name(const std::string& key, const SScriptName (&table)[N], int32_t fallback) const {
    return Name(key, table, N, fallback);
  }

  static int32_t ParseDecimal(const std::string& text);
  static int32_t ParseHex(const std::string& text);
  // The name without its folders (after the last '\', read as Shift JIS).
  static std::string FileTitle(const std::string& path);
  // printf into a string (descriptions).
  static std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

 private:
  const Map& values;
};

#include "script/ScriptParams.h"

#include <cstdarg>
#include <cstdio>

#include "io/Path.h"
#include "io/ShiftJis.h"

std::string CScriptParams::Text(const std::string& key) const {
  auto it = values.find(key);
  return it == values.end() ? std::string() : it->second;
}

int32_t CScriptParams::Int(const std::string& key, int32_t fallback) const {
  auto it = values.find(key);
  return it == values.end() ? fallback : ParseDecimal(it->second);
}

bool CScriptParams::FlagOn(const std::string& key, bool fallback) const {
  auto it = values.find(key);
  return it == values.end() ? fallback : it->second == "ON";
}

bool CScriptParams::FlagTrue(const std::string& key, bool fallback) const {
  auto it = values.find(key);
  return it == values.end() ? fallback : it->second == "TRUE";
}

std::string CScriptParams::Path(const std::string& key) const {
  const std::string value = Text(key);
  return value.empty() ? value : ResolvePath(value);
}

int32_t CScriptParams::Color(const std::string& key, int32_t fallback) const {
  auto it = values.find(key);
  return it == values.end() ? fallback : ParseHex(it->second);
}

int32_t CScriptParams::Name(const std::string& key, const SScriptName* table, int32_t count,
                            int32_t fallback) const {
  auto it = values.find(key);
  if (it == values.end()) return fallback;
  for (int32_t i = 0; i < count; ++i)
    if (it->second == table[i].keyword) return i;
  return fallback;
}

int32_t CScriptParams::ParseDecimal(const std::string& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  uint32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10u + (text[i] - '0');
  return static_cast<int32_t>(negative ? 0u - value : value);
}

int32_t CScriptParams::ParseHex(const std::string& text) {
  uint32_t value = 0;
  for (char c : text) {
    if (c >= '0' && c <= '9')
      value = value * 16u + (c - '0');
    else if (c >= 'A' && c <= 'F')
      value = value * 16u + (c - 'A' + 10);
    else if (c >= 'a' && c <= 'f')
      value = value * 16u + (c - 'a' + 10);
  }
  return static_cast<int32_t>(value);
}

std::string CScriptParams::FileTitle(const std::string& path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    const unsigned char c = path[i];
    if (sjis::IsLeadByte(c))
      ++i;
    else if (c == '\\')
      start = i + 1;
  }
  return path.substr(start);
}

std::string CScriptParams::Format(const char* format, ...) {
  char buffer[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

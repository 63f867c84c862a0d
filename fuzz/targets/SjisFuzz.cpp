// The Shift JIS helpers: conversion both ways, searches that must never stop on a trail byte, and
// the case and separator rewrites used on data paths.
#include <string>
#include <string_view>

#include "FuzzTarget.h"
#include "io/ShiftJis.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

ZEL_FUZZ_TARGET(sjis) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string utf8 = sjis::ToUtf8(text);
  Check(sjis::IsValidUtf8(utf8));
  bool ok = false;
  const std::string back = sjis::FromUtf8(utf8, &ok);
  sjis::FromUtf8(text, nullptr);
  sjis::IsValidUtf8(text);
  const size_t last = sjis::FindLast(text, '\\');
  Check(last == std::string_view::npos || text[last] == '\\');
  for (size_t at = sjis::FindFirst(text, '.'); at != std::string_view::npos;
       at = sjis::FindFirst(text, '.', at + 1))
    Check(text[at] == '.');
  Check(sjis::ToUpperAscii(text).size() == size);
  Check(sjis::ReplaceChar(text, '\\', '/').size() == size);
  return 0;
}

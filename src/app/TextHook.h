#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

class CGameSystem;
class CMessagePage;

// The text hook (--text-hook stdout): one JSON line per page as its click wait begins, so reading
// aids and translation tools follow the game. Text is written in UTF-8.
class CTextHook {
 public:
  // {"speaker":…,"text":…,"ruby":[{"base":…,"reading":…}],"script":…,"line":N}, without a newline.
  static std::string PageLine(const CMessagePage& page, const std::string& scriptSjis, int32_t line);
  // Writes a line to out (flushed at once) for every page the game shows from now on.
  static void Attach(CGameSystem& game, FILE* out);
};

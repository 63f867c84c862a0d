#include <cstdarg>
#include <cstdio>

#include "io/Format.h"
#include "io/Path.h"
#include "io/ShiftJis.h"
#include "platform/Platform.h"

namespace {
// The longest text the error box shows; longer texts are cut.
constexpr size_t kMaxText = 259;

// The text cut to kMaxText bytes, never in the middle of a two-byte character.
std::string Shorten(const std::string& text) {
  if (text.size() <= kMaxText) return text;
  size_t end = 0;
  while (end < kMaxText) {
    size_t step = sjis::IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + step > kMaxText) break;
    end += step;
  }
  return text.substr(0, end);
}

}  // namespace

void ShowError(const std::string& text) {
  std::string shown = Shorten(text);
  // Standard error gets every failure too: a run without a window (headless, or before the window
  // exists, or where no message box can be shown) must not fail silently.
  std::fprintf(stderr, "error: %s\n", sjis::ToUtf8(shown).c_str());
  if (HasPlatform()) ThePlatform().Dialogs().MessageBox("error", shown, false);
}

void ShowError(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatV(format, args);
  va_end(args);
  ShowError(text);
}

void ShowFileError(const std::string& name) { ShowError("%s ファイルが開けません", name.c_str()); }

#include <cstdarg>
#include <cstdio>

#include "io/Path.h"
#include "io/ShiftJis.h"
#include "platform/Platform.h"

namespace {
// The longest text the error box shows, as the fixed buffer of the original format routine.
constexpr size_t kMaxText = 259;
}  // namespace

void ShowError(const std::string& text) {
  std::string shown = text.size() > kMaxText ? text.substr(0, kMaxText) : text;
  if (HasPlatform()) {
    ThePlatform().Dialogs().MessageBox("error", shown, false);
    return;
  }
  std::fprintf(stderr, "error: %s\n", sjis::ToUtf8(shown).c_str());
}

void ShowError(const char* format, ...) {
  char buffer[kMaxText + 1];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof(buffer), format, args);
  va_end(args);
  ShowError(std::string(buffer));
}

void ShowFileError(const std::string& name) { ShowError("%s ファイルが開けません", name.c_str()); }

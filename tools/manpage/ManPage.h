#pragma once
#include <string>

// Writes a manual page from a program's --help text, so the manual and the help never drift apart.
// The help's indented lines are entries: a term (an option with its arguments, or a command), at
// least two spaces, and what it does; a line indented further continues the entry above it.
class CManPage {
 public:
  // The roff text of the entries, one ".TP" paragraph each; lines that are not entries are left out.
  static std::string Entries(const std::string& helpText);
  // The template with "@ENTRIES@" and "@VERSION@" replaced.
  static std::string Render(const std::string& templateText, const std::string& helpText,
                            const std::string& version);
  // Text made safe for roff: backslashes and hyphens escaped, a leading dot or quote protected.
  static std::string Escape(const std::string& text);
};

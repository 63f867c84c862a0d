#pragma once
#include <string>

// kUnavailable: the system could not show the box, so nobody answered it.
enum class EAnswer { kOk, kYes, kNo, kUnavailable };

// Modal boxes owned by the main window. Texts are Shift JIS.
class IDialogs {
 public:
  virtual ~IDialogs() = default;
  virtual EAnswer MessageBox(const std::string& caption, const std::string& text, bool yesNo) = 0;

 protected:
  // Every backend reports a shown box to the trace with the button that answered it.
  static void TraceMessageBox(const std::string& caption, const std::string& text, EAnswer answer);
};

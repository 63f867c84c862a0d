#pragma once
#include <string>

enum class EAnswer { kOk, kYes, kNo };

// Modal boxes owned by the main window. Texts are Shift JIS.
class IDialogs {
 public:
  virtual ~IDialogs() = default;
  virtual EAnswer MessageBox(const std::string& caption, const std::string& text, bool yesNo) = 0;

 protected:
  // Every backend reports a shown box to the trace with the button that answered it.
  static void TraceMessageBox(const std::string& caption, const std::string& text, EAnswer answer);
};

#pragma once
#include "platform/Dialogs.h"

class CSdlWindow;

// Message boxes as SDL message boxes owned by the game window.
class CSdlDialogs : public IDialogs {
 public:
  explicit CSdlDialogs(CSdlWindow& window) : window(window) {}
  EAnswer MessageBox(const std::string& caption, const std::string& text, bool yesNo) override;

 private:
  CSdlWindow& window;
};

#pragma once
#include "platform/Clipboard.h"

// A clipboard that keeps the last text and reports every copy to the trace ("clipboard", "text").
class CHeadlessClipboard : public IClipboard {
 public:
  bool SetText(const std::string& textSjis) override;
  const std::string& Text() const { return text; }

 private:
  std::string text;
};

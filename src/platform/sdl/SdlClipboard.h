#pragma once
#include "platform/Clipboard.h"

// The clipboard through SDL (the X11 CLIPBOARD selection, or Wayland's data device).
class CSdlClipboard : public IClipboard {
 public:
  bool SetText(const std::string& textSjis) override;
};

#pragma once
#include <string>

// The desktop's clipboard, for copying the text the player reads.
class IClipboard {
 public:
  virtual ~IClipboard() = default;
  // Puts the (Shift JIS) text on the clipboard as UTF-8; false when the desktop refused it.
  virtual bool SetText(const std::string& textSjis) = 0;
};

#include "platform/headless/HeadlessClipboard.h"

#include "io/Trace.h"

bool CHeadlessClipboard::SetText(const std::string& textSjis) {
  text = textSjis;
  CTrace::Event("clipboard", {{"text", text}});
  return true;
}

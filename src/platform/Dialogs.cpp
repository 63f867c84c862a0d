#include "platform/Dialogs.h"

#include "io/Trace.h"

void IDialogs::TraceMessageBox(const std::string& caption, const std::string& text, EAnswer answer) {
  const char* name = answer == EAnswer::kOk ? "ok" : answer == EAnswer::kYes ? "yes" : "no";
  CTrace::Event("msgbox", {{"caption", caption}, {"text", text}, {"answer", name}});
}

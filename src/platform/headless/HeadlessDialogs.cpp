#include "platform/headless/HeadlessDialogs.h"

#include "io/Trace.h"

EAnswer CHeadlessDialogs::MessageBox(const std::string& caption, const std::string& text, bool yesNo) {
  ++shown;
  EAnswer answer = EAnswer::kOk;
  if (yesNo) {
    bool yes = defaultYes;
    if (!answers.empty()) {
      yes = answers.front();
      answers.pop_front();
    }
    answer = yes ? EAnswer::kYes : EAnswer::kNo;
  }
  const char* name = answer == EAnswer::kOk ? "ok" : answer == EAnswer::kYes ? "yes" : "no";
  CTrace::Event("msgbox", {{"caption", caption}, {"text", text}, {"answer", name}});
  return answer;
}

#include "platform/headless/HeadlessDialogs.h"

EAnswer CHeadlessDialogs::MessageBox(const std::string& caption, const std::string& text, bool yesNo) {
  if (unavailable) return yesNo ? EAnswer::kUnavailable : EAnswer::kOk;
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
  TraceMessageBox(caption, text, answer);
  return answer;
}

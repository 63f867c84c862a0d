#pragma once
#include <deque>
#include <string>

#include "platform/Dialogs.h"

// Message boxes answered without a person: from the input script's answers, else the default answer.
class CHeadlessDialogs : public IDialogs {
 public:
  explicit CHeadlessDialogs(bool defaultYes) : defaultYes(defaultYes) {}
  EAnswer MessageBox(const std::string& caption, const std::string& text, bool yesNo) override;
  void QueueAnswer(bool yes) { answers.push_back(yes); }
  int ShownCount() const { return shown; }
  // Behaves as a system that cannot show boxes: questions come back unanswered, and untraced.
  void SetUnavailable(bool value) { unavailable = value; }

 private:
  bool defaultYes;
  std::deque<bool> answers;
  int shown = 0;
  bool unavailable = false;
};

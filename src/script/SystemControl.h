#pragma once
#include <cstdint>
#include <string>

class CScriptRunner;

// The engine state that SYSTEM control words reach beyond the interpreter's own operations.
class ISystemControlTarget {
 public:
  virtual ~ISystemControlTarget() = default;
  // Map answer entry index (0 to 15) := person number and label (at most 127 bytes).
  virtual void SetMapAnswer(int32_t index, int32_t person, const std::string& label) = 0;
  // Skip mode off.
  virtual void StopSkipping() = 0;
  // The opacity of an image layer (0 "BG" to 6 "PERSON6").
  virtual void SetLayerOpacity(int32_t layer, int32_t opacity) = 0;
};

// Runs the control strings of <SYSTEM COMMAND=...>: a control word and its arguments, separated by
// blanks, tabs, line ends or commas. Unknown words and words short of arguments do nothing.
class CSystemControl {
 public:
  static constexpr int kMaxWords = 16;
  static constexpr int32_t kMapAnswers = 16;
  static constexpr size_t kMaxLabel = 127;

  CSystemControl(CScriptRunner& runner, ISystemControlTarget& target) : runner(runner), target(target) {}
  void Run(const std::string& text);

 private:
  void MapAnswer(const std::string& index, const std::string& person, const std::string& label);
  void SetAlpha(const std::string& layer, const std::string& opacity);

  CScriptRunner& runner;
  ISystemControlTarget& target;
};

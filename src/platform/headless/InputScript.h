#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One line of a scripted-input file: "FRAME VERB ARGS...".
struct SInputCommand {
  enum class EVerb {
    kMove,
    kClick,
    kDown,
    kUp,
    kRightClick,
    kWheel,
    kKey,
    kKeyDown,
    kKeyUp,
    kAnswer,
    kType,
    kClose
  };
  int64_t frame = 0;
  EVerb verb = EVerb::kMove;
  int32_t x = 0, y = 0;
  int32_t delta = 0;  // wheel
  uint32_t key = 0;   // virtual-key code
  bool yes = true;    // answer
  std::string text;   // type (UTF-8)
  int line = 0;       // source line, for messages
};

// Reads scripted input for the headless runner. Events are kept in file order; those of one frame are
// delivered before that frame's tick.
class CInputScript {
 public:
  bool Load(const std::string& path, std::string& error);
  bool Parse(const std::string& text, std::string& error);
  // The commands of the given frame, in file order.
  std::vector<SInputCommand> TakeFrame(int64_t frame);
  bool IsExhausted() const { return next >= commands.size(); }
  // The virtual-key code of a key name of the input script, or 0.
  static uint32_t KeyCode(const std::string& name, bool allowModifiers);

 private:
  bool ParseLine(const std::string& line, int lineNumber, std::string& error);

  std::vector<SInputCommand> commands;
  size_t next = 0;
};

#pragma once
#include <string>

#include "script/ScriptCommand.h"

// One message character: a single byte or a Shift JIS lead byte with its trail byte.
class CScriptCharacter : public CScriptCommand {
 public:
  // One byte, or a lead byte and its trail byte (the second is then nonzero).
  explicit CScriptCharacter(char first, char second = 0) : bytes{first, second} {}
  int IsCharacter() const override { return 1; }
  std::string GetText() const override { return std::string(bytes, bytes[1] ? 2 : 1); }
  void Execute(CScriptRunner& runner) override;
  // What running a character does: its text printed in its size and colour.
  static void Print(CScriptRunner& runner, const std::string& text, int32_t sizePercent, int32_t color);

 private:
  char bytes[2];
};

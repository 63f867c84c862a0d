#pragma once
#include "script/ScriptLine.h"

// <LOOP>: its body repeats until a BREAK, a jump or a return leaves it.
class CLoopLine : public CScriptLine {
 public:
  CLoopLine() : CScriptLine(1) {}
  void Execute(CScriptRunner& runner, int32_t index) override;
};

#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// SCROLL PLACE=layer OFFSETX=n OFFSETY=n TIME=n LOOP=ON: moves a layer's picture over TIME ticks
// without waiting.
class CScrollCommand : public CScriptCommand {
 public:
  explicit CScrollCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;

 private:
  int32_t place;
  int32_t offsetX;
  int32_t offsetY;
  int32_t time;
  bool loop;
};

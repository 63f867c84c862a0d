#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// COLORMAP EFFECT=NONE|MONOCHROME|SEPIA|NEGATIVE: the colour conversion of pictures shown later.
class CColorMapCommand : public CScriptCommand {
 public:
  explicit CColorMapCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;

 private:
  int32_t effect;
};

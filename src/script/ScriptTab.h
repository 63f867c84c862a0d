#pragma once
#include "script/ScriptCommand.h"

// A horizontal tab: it advances to the next stop every 32 units when laid out and prints nothing.
class CScriptTab : public CScriptCommand {
 public:
  static constexpr int32_t kTabStop = 32;
  void SetPosition(int32_t x) override;
  int IsCharacter() const override { return 1; }
};

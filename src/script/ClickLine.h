#pragma once
#include "script/ScriptLine.h"
#include "script/ScriptParams.h"

// <CLICK PLACE=... COMMAND=... COLOR=...>: a clickable region of a layer's picture, found by
// its colour in the picture's click map; its body runs when the region is clicked.
class CClickLine : public CScriptLine {
 public:
  explicit CClickLine(const CScriptParams& params);
  int GroupKind() const override { return kGroupChoice; }
  void Execute(CScriptRunner& runner, int32_t index) override;
  int32_t GetPlace() const { return place; }
  int32_t GetVerb() const { return verb; }
  int32_t GetColor() const { return color; }

 private:
  int32_t place;
  int32_t verb;
  int32_t color;
};

#pragma once
#include <vector>

#include "script/ScriptLine.h"

// A source line of message text and inline commands, run item by item.
class CTextLine : public CScriptLine {
 public:
  using CScriptLine::CScriptLine;
  CScriptCommand* GetItem(int32_t index) const override;
  int32_t GetItemCount() const override { return static_cast<int32_t>(items.size()); }
  // Places the items left to right: width = their sum + 8, height = the tallest (24 when all are 0).
  void Layout() override;
  int IsTextLine() const override { return 1; }
  int InsertItem(int32_t index, std::unique_ptr<CScriptCommand> item) override;
  void RemoveItem(int32_t index) override;
  std::unique_ptr<CScriptCommand> DetachItem(int32_t index) override;

 private:
  bool InRange(int32_t index) const { return index >= 0 && index < GetItemCount(); }

  std::vector<std::unique_ptr<CScriptCommand>> items;
};

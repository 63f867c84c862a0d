#pragma once
#include <vector>

#include "script/ScriptLine.h"
#include "script/TextItem.h"

// A source line of message text and inline commands, run item by item. Message characters are
// stored packed; the font size, colour and source line they stood in are kept once per change in
// the command list's table.
class CTextLine : public CScriptLine {
 public:
  // Character styles go to the table of the list that holds the line.
  CTextLine(int32_t depth, std::vector<SCharacterStyle>& styles) : CScriptLine(depth), styles(&styles) {}
  // A packed character is given its own object the first time it is asked for.
  CScriptCommand* GetItem(int32_t index) const override;
  int32_t GetItemCount() const override { return static_cast<int32_t>(items.size()); }
  // Places the items left to right: width = their sum + 8, height = the tallest (24 when all are 0).
  void Layout() override;
  int IsTextLine() const override { return 1; }
  int InsertItem(int32_t index, std::unique_ptr<CScriptCommand> item) override;
  void AppendCharacter(char first, char second, const SCharacterStyle& style) override;
  void RemoveItem(int32_t index) override;
  std::unique_ptr<CScriptCommand> DetachItem(int32_t index) override;
  std::string GetItemText(int32_t index) const override;
  void RunItem(int32_t index, CScriptRunner& runner) override;
  // Lets go of the spare room left from growing the line while it was read.
  void Seal() override { items.shrink_to_fit(); }

 private:
  bool InRange(int32_t index) const { return index >= 0 && index < GetItemCount(); }

  mutable std::vector<CTextItem> items;
  std::vector<SCharacterStyle>* styles;
};

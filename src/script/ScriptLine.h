#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "script/ScriptCommand.h"

class CScriptRunner;

// The font size percent, colour and source line in force where a message character stood.
struct SCharacterStyle {
  int32_t sizePercent = 100;
  int32_t color = -1;
  int32_t sourceLine = 0;
  bool operator==(const SCharacterStyle&) const = default;
};

// A line of a parsed script: a text line with its items, or a block line (SELECT, IF, CLICK,
// LOOP, LABEL). The depth says how the line changes the block nesting: +1 opens a block, 0 is
// plain, -1 closes the innermost block after the line has run.
class CScriptLine {
 public:
  // Consecutive block lines of one group form one construct: choices and click regions (1),
  // condition chains (2); everything else is 0.
  enum EGroup : int { kGroupNone = 0, kGroupChoice = 1, kGroupCondition = 2 };

  explicit CScriptLine(int32_t depth = 0) : depth(depth) {}
  virtual ~CScriptLine() = default;

  virtual CScriptCommand* GetItem(int32_t) const { return nullptr; }
  virtual int32_t GetItemCount() const { return 0; }
  virtual SItemSize GetSize() const { return size; }
  virtual void Layout() {}
  virtual int GroupKind() const { return kGroupNone; }
  virtual int IsTextLine() const { return 0; }
  virtual std::string GetLabel() const { return {}; }
  // Block lines keep no items: the item is deleted and 0 returned.
  virtual int InsertItem(int32_t, std::unique_ptr<CScriptCommand>) { return 0; }
  // A message character of one byte, or a lead byte and its trail byte (second nonzero); block
  // lines drop it.
  virtual void AppendCharacter(char, char, const SCharacterStyle&) {}
  virtual void RemoveItem(int32_t) {}
  virtual std::unique_ptr<CScriptCommand> DetachItem(int32_t) { return nullptr; }
  // The text of an item and running it, without giving a message character an object of its own.
  virtual std::string GetItemText(int32_t) const { return {}; }
  virtual void RunItem(int32_t, CScriptRunner&) {}
  // Called once the parser has finished the line.
  virtual void Seal() {}
  // Runs the line's own part when the interpreter reaches it; index is the line's position.
  virtual void Execute(CScriptRunner&, int32_t) {}

  int32_t GetDepth() const { return depth; }
  void SetDepth(int32_t value) { depth = value; }
  // The source line (from 1) where the line began, for diagnostics.
  int32_t GetSourceLine() const { return sourceLine; }
  void SetSourceLine(int32_t line) { sourceLine = line; }

 protected:
  void SetLaidOutSize(SItemSize value) { size = value; }

 private:
  int32_t depth;
  int32_t sourceLine = 0;
  SItemSize size;
};

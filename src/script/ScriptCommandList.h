#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "script/ScriptLine.h"

// A parsed script: its lines in order. Each list has a serial number that no other list in the
// process shares, so a remembered list can be recognised without keeping a pointer to it.
class CScriptCommandList {
 public:
  CScriptCommandList();

  int32_t GetCount() const { return static_cast<int32_t>(lines.size()); }
  CScriptLine* GetLine(int32_t index) const {
    return index >= 0 && index < GetCount() ? lines[index].get() : nullptr;
  }
  CScriptLine& Last() const { return *lines.back(); }
  void Append(std::unique_ptr<CScriptLine> line) { lines.push_back(std::move(line)); }
  void ReplaceLast(std::unique_ptr<CScriptLine> line) { lines.back() = std::move(line); }
  uint64_t Serial() const { return serial; }
  // The styles of the message characters of all lines, each kept once per change.
  std::vector<SCharacterStyle>& CharacterStyles() { return characterStyles; }

 private:
  // Declared before the lines, which refer to it, so that it outlives them.
  std::vector<SCharacterStyle> characterStyles;
  std::vector<std::unique_ptr<CScriptLine>> lines;
  uint64_t serial;
};

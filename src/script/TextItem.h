#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "script/ScriptCommand.h"

// One item of a text line as it is stored: either a message character packed into the one word
// itself (its one or two bytes and the index of its style in the line), or a command the item owns.
// Message characters are the bulk of a script, so they take no object of their own until something
// asks for one.
class CTextItem {
 public:
  CTextItem(char first, char second, uint32_t style);
  explicit CTextItem(std::unique_ptr<CScriptCommand> command);
  CTextItem(CTextItem&& other) noexcept : bits(other.bits) { other.bits = 0; }
  CTextItem& operator=(CTextItem&& other) noexcept;
  CTextItem(const CTextItem&) = delete;
  CTextItem& operator=(const CTextItem&) = delete;
  ~CTextItem();

  bool IsPacked() const { return (bits & 1) != 0; }
  // The command; nullptr for a packed character.
  CScriptCommand* Command() const { return IsPacked() ? nullptr : reinterpret_cast<CScriptCommand*>(bits); }
  // The bytes of a packed character (one or two).
  std::string Text() const;
  uint32_t Style() const { return static_cast<uint32_t>(static_cast<uint64_t>(bits) >> 32); }
  char First() const { return static_cast<char>(bits >> 8); }
  char Second() const { return static_cast<char>(bits >> 16); }
  std::unique_ptr<CScriptCommand> Release();

 private:
  uint64_t bits = 0;
};

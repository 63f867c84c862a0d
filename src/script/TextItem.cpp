#include "script/TextItem.h"

static_assert(sizeof(void*) <= sizeof(uint64_t) && alignof(CScriptCommand) >= 2,
              "a command pointer leaves the low bit free for the packed form");

CTextItem::CTextItem(char first, char second, uint32_t style)
    : bits(1 | uint64_t{static_cast<unsigned char>(first)} << 8 |
           uint64_t{static_cast<unsigned char>(second)} << 16 | uint64_t{style} << 32) {}

CTextItem::CTextItem(std::unique_ptr<CScriptCommand> command)
    : bits(reinterpret_cast<uint64_t>(command.release())) {}

CTextItem& CTextItem::operator=(CTextItem&& other) noexcept {
  if (this != &other) {
    Release();
    bits = other.bits;
    other.bits = 0;
  }
  return *this;
}

CTextItem::~CTextItem() { Release(); }

std::string CTextItem::Text() const {
  const char bytes[2] = {First(), Second()};
  return std::string(bytes, bytes[1] ? 2 : 1);
}

std::unique_ptr<CScriptCommand> CTextItem::Release() {
  std::unique_ptr<CScriptCommand> command(Command());
  bits = 0;
  return command;
}

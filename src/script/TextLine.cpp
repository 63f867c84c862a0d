#include "script/TextLine.h"

#include <algorithm>

#include "script/ScriptCharacter.h"

CScriptCommand* CTextLine::GetItem(int32_t index) const {
  if (!InRange(index)) return nullptr;
  CTextItem& item = items[static_cast<size_t>(index)];
  if (item.IsPacked()) {
    const SCharacterStyle& style = (*styles)[item.Style()];
    auto character = std::make_unique<CScriptCharacter>(item.First(), item.Second());
    character->SetSize(style.sizePercent);
    character->SetColor(style.color);
    character->SetSourceLine(style.sourceLine);
    item = CTextItem(std::move(character));
  }
  return item.Command();
}

void CTextLine::Layout() {
  int32_t x = 0;
  int32_t height = 0;
  // A message character takes no room of its own here; only commands are placed.
  for (const CTextItem& item : items) {
    CScriptCommand* command = item.Command();
    if (!command) continue;
    command->SetPosition(x);
    const SItemSize size = command->GetSize();
    x += size.width;
    height = std::max(height, size.height);
  }
  SetLaidOutSize({x + 8, height == 0 ? 24 : height});
}

int CTextLine::InsertItem(int32_t index, std::unique_ptr<CScriptCommand> item) {
  index = std::clamp(index, 0, GetItemCount());
  items.insert(items.begin() + index, CTextItem(std::move(item)));
  return 1;
}

void CTextLine::AppendCharacter(char first, char second, const SCharacterStyle& style) {
  if (styles->empty() || !(styles->back() == style)) styles->push_back(style);
  items.emplace_back(first, second, static_cast<uint32_t>(styles->size() - 1));
}

void CTextLine::RemoveItem(int32_t index) {
  if (InRange(index)) items.erase(items.begin() + index);
}

std::unique_ptr<CScriptCommand> CTextLine::DetachItem(int32_t index) {
  if (!GetItem(index)) return nullptr;
  auto item = items[static_cast<size_t>(index)].Release();
  items.erase(items.begin() + index);
  return item;
}

std::string CTextLine::GetItemText(int32_t index) const {
  if (!InRange(index)) return {};
  const CTextItem& item = items[static_cast<size_t>(index)];
  return item.IsPacked() ? item.Text() : item.Command()->GetText();
}

void CTextLine::RunItem(int32_t index, CScriptRunner& runner) {
  if (!InRange(index)) return;
  const CTextItem& item = items[static_cast<size_t>(index)];
  if (!item.IsPacked()) {
    item.Command()->Execute(runner);
    return;
  }
  const SCharacterStyle& style = (*styles)[item.Style()];
  CScriptCharacter::Print(runner, item.Text(), style.sizePercent, style.color);
}

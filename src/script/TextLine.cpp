#include "script/TextLine.h"

#include <algorithm>

CScriptCommand* CTextLine::GetItem(int32_t index) const {
  return InRange(index) ? items[index].get() : nullptr;
}

void CTextLine::Layout() {
  int32_t x = 0;
  int32_t height = 0;
  for (auto& item : items) {
    item->SetPosition(x);
    const SItemSize size = item->GetSize();
    x += size.width;
    height = std::max(height, size.height);
  }
  SetLaidOutSize({x + 8, height == 0 ? 24 : height});
}

int CTextLine::InsertItem(int32_t index, std::unique_ptr<CScriptCommand> item) {
  index = std::clamp(index, 0, GetItemCount());
  items.insert(items.begin() + index, std::move(item));
  return 1;
}

void CTextLine::RemoveItem(int32_t index) {
  if (InRange(index)) items.erase(items.begin() + index);
}

std::unique_ptr<CScriptCommand> CTextLine::DetachItem(int32_t index) {
  if (!InRange(index)) return nullptr;
  auto item = std::move(items[index]);
  items.erase(items.begin() + index);
  return item;
}

#include "script/ScriptTab.h"

void CScriptTab::SetPosition(int32_t x) {
  const int32_t offset = ((x % kTabStop) + kTabStop) % kTabStop;
  SetBox({kTabStop - offset, 0});
}

#include "ui/SystemMenu.h"

#include <algorithm>

#include "gfx/Display.h"
#include "persist/Settings.h"

const std::vector<std::string>& CSystemMenu::ListTexts() {
  static const std::vector<std::string> kTexts = {"ＳＡＶＥ",   "ＬＯＡＤ",       "ＳＹＳＴＥＭ",
                                                  "ゲーム終了", "タイトルに戻る", "メニューを閉じる"};
  return kTexts;
}

const std::vector<std::string>& CSystemMenu::ButtonNames() {
  static const std::vector<std::string> kNames = {"セーブ", "ロード",    "コンフィグ",     "終了",
                                                  "戻る",   "閉じる",    "クイックロード", "クイックセーブ",
                                                  "ログ",   "前の選択肢"};
  return kNames;
}

void CSystemMenu::Load(CDisplay& screen) {
  display = &screen;
  layout = CLayout();
  layout.Load(screen, "system\\window\\menu.scn");
  selection = -1;
}

bool CSystemMenu::IsListForm() const { return !layout.GetControlRect("選択肢").IsEmpty(); }

CMenuRows CSystemMenu::Rows() const {
  return CMenuRows(layout.GetControlRect("選択肢"), kListItems, settings::LinePitch());
}

void CSystemMenu::ResetSelection() { selection = IsListForm() ? 0 : -1; }

std::string_view CSystemMenu::ItemName(int item) {
  return item >= 0 && item < kButtonItems ? std::string_view(ButtonNames()[item]) : std::string_view();
}

void CSystemMenu::Invalidate() const {
  if (display) display->MarkAllDirty();
}

void CSystemMenu::Select(int item) {
  if (item == selection) return;
  // A row's text may be wider than the list; image buttons stay inside their controls.
  if (IsListForm()) {
    Invalidate();
  } else if (display) {
    display->MarkDirty(layout.GetControlRect(ItemName(selection)));
    display->MarkDirty(layout.GetControlRect(ItemName(item)));
  }
  selection = item;
}

int CSystemMenu::ItemAt(int32_t x, int32_t y) const {
  if (IsListForm()) return Rows().RowAt(x, y);
  int found = -1;
  for (int item = 0; item < kButtonItems; ++item)
    if (layout.GetControlRect(ButtonNames()[item]).Contains(x, y)) found = item;
  return found;
}

void CSystemMenu::Move(int step) {
  if (IsListForm())
    Select(std::clamp(selection + step, 0, kListItems - 1));
  else
    Select(layout.NextControl(ButtonNames(), selection, step));
}

void CSystemMenu::Draw(float opacity, bool fullyOpen, CTextFont& font) const {
  layout.Draw("", opacity);
  if (!fullyOpen) return;
  if (IsListForm())
    Rows().Draw(SDrawTarget::Screen(*display), font, ListTexts(), selection, settings::FontColor());
  else if (selection >= 0)
    layout.Draw(ButtonNames()[selection], 1.0f);
}

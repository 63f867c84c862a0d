#include "modes/TitleMenu.h"

#include "persist/CsvTable.h"
#include "ui/Layout.h"

const std::vector<std::string>& CTitleMenu::ControlNames() {
  static const std::vector<std::string> names = {
      "スタート", "コンティニュー", "コンフィグ", "アルバム", "フラッシュバック", "ミュージック", "終了"};
  return names;
}

bool CTitleMenu::Contains(const CLayout& layout, int32_t item, int32_t x, int32_t y) {
  if (item < 0 || item >= kItems) return false;
  return layout.GetControlRect(ControlNames()[item]).Contains(x, y);
}

int32_t CTitleMenu::HitTest(const CLayout& layout, int32_t x, int32_t y) {
  for (int32_t item = 0; item < kItems; ++item)
    if (Contains(layout, item, x, y)) return item;
  return kNone;
}

int32_t CTitleMenu::Navigate(const CLayout& layout, int32_t current, int32_t step) {
  return layout.NextControl(ControlNames(), current, step);
}

std::string CTitleMenu::ChooseLayout(const CCsvTable& table, const Condition& evaluate) {
  std::string path = kDefaultLayout;
  const int itemColumn = table.FindColumn("項目");
  const int parameterColumn = table.FindColumn("パラメータ");
  if (itemColumn < 0 || parameterColumn < 0) return path;
  for (int row = 0; row < table.RowCount(); ++row) {
    if (table.GetCell(row, itemColumn, "") != "タイトル画面") continue;
    if (evaluate(table.GetCell(row, parameterColumn + 1, "")) != 0)
      path = table.GetCell(row, parameterColumn, "");
  }
  return path;
}

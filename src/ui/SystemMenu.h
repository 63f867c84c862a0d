#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Layout.h"
#include "ui/MenuRows.h"

class CDisplay;
class CTextFont;

// The pop-up system menu of system\window\menu.scn in one of its two forms: a text list of six rows
// when the layout has a control "選択肢" with a rectangle, else ten image buttons looked up by name.
// It knows the items, the selection, hit-testing and drawing; what an item does is the menu layer's.
class CSystemMenu {
 public:
  // Item numbers; the text list has the first six.
  enum EItem {
    kSave = 0,
    kLoad = 1,
    kConfig = 2,
    kQuit = 3,
    kTitle = 4,
    kClose = 5,
    kQuickLoad = 6,
    kQuickSave = 7,
    kBacklog = 8,
    kPreviousChoice = 9
  };
  static constexpr int kListItems = 6;
  static constexpr int kButtonItems = 10;
  static const std::vector<std::string>& ListTexts();
  static const std::vector<std::string>& ButtonNames();

  void Load(CDisplay& display);
  bool IsListForm() const;
  int Selection() const { return selection; }
  // The selection a freshly opened menu starts with: the first row, or none for image buttons.
  void ResetSelection();
  // Selects an item (-1 for none) and marks what looks different.
  void Select(int item);
  // The item under the point: the row of the list, or the last image button containing it; -1.
  int ItemAt(int32_t x, int32_t y) const;
  // Up (-1) and down (+1): the list stops at its ends; the buttons go in reading order, wrapping.
  void Move(int step);
  // Marks the screen for redraw while the menu fades (texts may reach past their controls).
  void Invalidate() const;
  // Background and unnamed controls at that opacity; fully open, the selected item's look too.
  void Draw(float opacity, bool fullyOpen, CTextFont& font) const;

 private:
  CMenuRows Rows() const;
  // The control name of an image item; empty for none.
  static std::string_view ItemName(int item);

  CDisplay* display = nullptr;
  CLayout layout;
  int selection = -1;
};

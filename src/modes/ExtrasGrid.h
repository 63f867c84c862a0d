#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/Surface.h"
#include "ui/Layout.h"

class CDisplay;

// One entry of an extras list as the grid shows it.
struct SGridEntry {
  std::string thumbnail;
  bool unlocked = false;
};

// The thumbnail grid shared by the album, the flashback and the music room: the layout
// system\<folder>\bg.scn with its slots "サムネイル%d", pages of thumbnails, the cursor image, page
// and category buttons and the completion rate. The grid only answers what the player asked for;
// the screen that owns it decides what that means.
class CExtrasGrid {
 public:
  static constexpr uint32_t kCursorFallback = 0x80FF3C18;

  enum EAction : int32_t { kNothing, kActivate, kCancel, kCategory, kPageChanged };
  struct SRequest {
    EAction action = kNothing;
    int32_t category = -1;  // for kCategory
  };

  // Loads bg.scn, cursor.png and the blank thumbnail of the folder. minSlots is the least number of
  // slots a page has (1 for the album and flashback, 0 for the music room). False when the layout
  // is missing (reported by the layout).
  bool Load(CDisplay& display, const std::string& folder, const std::string& blank, int32_t minSlots);

  // The visible entries in list order, shown at a page and slot (kept within range).
  void SetEntries(std::vector<SGridEntry> visible, int32_t page, int32_t slot);
  void ShowPage(int32_t page);
  // The category whose button and picture are drawn; -1 for none.
  void SetCategory(int32_t value) { category = value; }
  void Select(int32_t slot);

  int32_t Slots() const { return slots; }
  int32_t Pages() const;
  int32_t Page() const { return page; }
  int32_t Slot() const { return slot; }
  int32_t Category() const { return category; }
  int32_t EntryCount() const { return static_cast<int32_t>(entries.size()); }
  // The position among the visible entries of the selected slot; -1 past the last entry.
  int32_t SelectedPosition() const;
  bool IsUnlocked(int32_t position) const;
  // Unlocked visible entries x 100 / max(visible, 1).
  int32_t Rate() const;
  const CLayout& Layout() const { return layout; }

  // Arrow keys move the selection across pages, Page Up/Down ask for the neighbouring category
  // when its button exists, Enter and Space activate, Escape cancels.
  SRequest OnKey(uint32_t key);
  // The slot under the cursor becomes the selection.
  void OnMouseMove(int32_t x, int32_t y);
  // Page, category and back buttons, and the selected slot.
  SRequest OnClick(int32_t x, int32_t y);
  // Marks the controls whose look follows the cursor ("前", "次", "戻る" and the extra names).
  void MarkHover(const std::vector<std::string>& extra = {}) const;

  // The background, the category picture, thumbnails, cursor, buttons and the completion digits.
  void Draw(int32_t x, int32_t y) const;
  // Draws the control of that name when the cursor is on it.
  void DrawHover(const std::string& name, int32_t x, int32_t y) const;

  // A surface stretched over a rectangle of the screen; empty ones draw nothing.
  static void DrawInto(const CSurface& surface, CDisplay& display, const SRect& rect);
  static std::string Numbered(const char* prefix, int32_t number);
  // The number of "カテゴリ%d" buttons named by a control, or -1 for other names.
  static int32_t CategoryOfControl(const std::string& name);

 private:
  void LoadThumbnails();
  void MarkChanged() const;
  void DrawRate() const;

  CDisplay* display = nullptr;
  CLayout layout;
  CSurface cursor;
  CSurface blank;
  std::vector<CSurface> thumbnails;
  std::vector<SGridEntry> entries;
  int32_t slots = 0;
  int32_t page = 0;
  int32_t slot = 0;
  int32_t category = -1;
};

// The list indices of the entries of a category (album, flashback), in list order.
template <typename Entry>
std::vector<int32_t> EntriesOfCategory(const std::vector<Entry>& list, int32_t category) {
  std::vector<int32_t> indices;
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].category == category) indices.push_back(static_cast<int32_t>(i));
  return indices;
}

// The grid's view of the listed entries: their thumbnails and seen flags.
template <typename Entry>
std::vector<SGridEntry> SeenEntries(const std::vector<Entry>& list, const std::vector<int32_t>& indices) {
  std::vector<SGridEntry> entries;
  for (int32_t index : indices)
    entries.push_back({list[static_cast<size_t>(index)].thumbnail, list[static_cast<size_t>(index)].seen});
  return entries;
}

#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "script/ScriptHost.h"
#include "ui/Layout.h"
#include "ui/OpenLevel.h"

class CDisplay;
class CTextFont;

// The plate of the choice list: system\window\select.scn, or select%d.scn for a list of %d entries
// when that file exists. The layout is chosen when the choice wait begins and kept while the plate
// fades out, when the list is already empty. Rows are one line pitch high, centred in control "選択肢"; the
// row under the mouse gets the highlight bar and the "(選択)" look of its "ウィンドウ%d" control.
class CChoicePlate {
 public:
  static constexpr int kLayouts = 10;
  // Whether the message before a choice's body was read (the choice then shows in its own colour).
  using ReadCheck = std::function<bool(const SChoice& choice)>;

  // Loads select.scn and every select%d.scn (1 to 9), each only when the file exists.
  void Load(CDisplay& display);
  // The layout for a list of count entries.
  const CLayout& LayoutFor(size_t count) const;
  // Rises while the choice wait runs with no menu open, falls otherwise; the layout for count entries
  // is taken when the plate becomes active.
  void Update(int32_t ticks, bool active, size_t count);
  // The layout the plate shows now.
  const CLayout& CurrentLayout() const { return LayoutFor(shownCount); }
  const COpenLevel& Level() const { return level; }
  // The entry whose row contains the point, or -1.
  int RowAt(size_t count, int32_t pitch, int32_t x, int32_t y) const;
  void Draw(CDisplay& display, const std::vector<SChoice>& choices, int hover, CTextFont& font, int32_t pitch,
            const ReadCheck& isRead) const;

 private:
  int32_t FirstRowTop(const SRect& area, size_t count, int32_t pitch) const;
  void DrawRows(CDisplay& display, const std::vector<SChoice>& choices, int hover, CTextFont& font,
                int32_t pitch, const ReadCheck& isRead) const;

  std::array<std::unique_ptr<CLayout>, kLayouts> layouts;
  COpenLevel level;
  bool wasActive = false;
  size_t shownCount = 0;
};

#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "ui/Layout.h"
#include "ui/MenuScreen.h"
#include "ui/SlotPager.h"

class CDisplay;
class CFontSet;
class CMenuLayer;
class CSlotSummaries;
class CTextFont;
class ISaveLoadHost;
struct SSlotSummary;

// The save screen (menu state 2, system\save\save.scn) and the load screen (state 3,
// system\save\load.scn): the slots page by page with their per-row fields, the thumbnail, speaker
// and text of the selected slot, page buttons and hover looks. The rows are either stacked in the
// rectangle of control "ファイル" (list form) or are the controls "ファイル0", "ファイル1", ...
// (button form). Choosing a slot asks before saving or loading; with "セーブファイル編集" set to
// "あり" a save asks for its comment instead.
class CSaveLoadScreen : public IMenuScreen {
 public:
  enum class EKind { kSave, kLoad };

  CSaveLoadScreen(EKind kind, ISaveLoadHost& host, CMenuLayer& menu, CDisplay& display, CFontSet& fonts);

  void Enter() override;
  void Leave() override;
  void Update(int32_t ticks) override;
  void Draw(float opacity, bool fullyOpen, int32_t cursorX, int32_t cursorY) override;
  void OnMouseMove(int32_t x, int32_t y) override;
  void OnLButtonDown(int32_t x, int32_t y) override;
  void OnKeyDown(uint32_t key, bool firstPress) override;
  void OnConfirm() override;
  void OnPromptYes() override;

  // What the screen shows, for tests.
  bool IsListForm() const { return listForm; }
  int32_t Selection() const { return pager ? pager->Selection() : -1; }
  int32_t SlotsPerPage() const { return pager ? pager->PerPage() : 0; }

 private:
  // The page button under the cursor whose look is drawn; only one at a time.
  enum class EHover { kNone, kBack, kPrevious, kNext };

  void LoadLayout();
  int32_t CountRows() const;
  const SSlotSummary* Selected() const;
  // After a change of the selection: its thumbnail, and the screen redrawn.
  void SelectionChanged();
  void Save(int32_t slot, const std::string* comment);
  void AskForComment(int32_t slot);
  EHover HoverAt(int32_t x, int32_t y) const;
  SRect HoverRect(EHover hover) const;
  // The rectangle of a row of the current page and the y of its texts.
  SRect RowRect(int32_t row) const;
  int32_t RowTextY(int32_t row) const;
  bool IsOnSelectedRow(int32_t x, int32_t y) const;
  void DrawRow(int32_t row, CTextFont& font) const;
  void DrawSelectedSlot(CTextFont& font) const;

  EKind kind;
  ISaveLoadHost& host;
  CMenuLayer& menu;
  CDisplay& display;
  CFontSet& fonts;
  CLayout layout;
  bool layoutMissingReported = false;
  const CSlotSummaries* summaries = nullptr;
  std::optional<CSlotPager> pager;
  bool listForm = false;
  bool open = false;
  EHover hover = EHover::kNone;
};

#include "ui/SaveLoadScreen.h"

#include <algorithm>
#include <vector>

#include "gfx/Display.h"
#include "gfx/DrawTarget.h"
#include "gfx/ShapeDraw.h"
#include "io/PackArchive.h"
#include "persist/Settings.h"
#include "platform/VirtualKeys.h"
#include "ui/FontSet.h"
#include "ui/MenuLayer.h"
#include "ui/SaveLoadHost.h"
#include "ui/SlotFieldText.h"
#include "ui/SlotSummaries.h"

namespace {

constexpr const char* kList = "ファイル";
constexpr const char* kThumbnail = "サムネイル";
constexpr uint32_t kSelectedRowFill = 0x80FFFFFFu;
// The longest comment a save keeps, in Shift JIS bytes.
constexpr size_t kCommentBytes = 32;

std::string Numbered(const char* name, int32_t number) { return name + std::to_string(number); }

}  // namespace

CSaveLoadScreen::CSaveLoadScreen(EKind kind, ISaveLoadHost& host, CMenuLayer& menu, CDisplay& display,
                                 CFontSet& fonts)
    : kind(kind), host(host), menu(menu), display(display), fonts(fonts) {}

void CSaveLoadScreen::Enter() {
  open = true;
  hover = EHover::kNone;
  summaries = &host.ReadSummaries();
  LoadLayout();
  listForm = !layout.GetControlRect(kList).IsEmpty();
  std::vector<bool> pageControls;
  if (layout.FindControl("ページ0") >= 0) {
    const int32_t pages = (summaries->Count() + CountRows() - 1) / CountRows();
    for (int32_t page = 0; page < pages; ++page)
      pageControls.push_back(layout.FindControl(Numbered("ページ", page)) >= 0);
  }
  pager.emplace(summaries->Count(), CountRows(), host.LastSlot(), std::move(pageControls));
  SelectionChanged();
}

void CSaveLoadScreen::LoadLayout() {
  const std::string path = kind == EKind::kSave ? "system\\save\\save.scn" : "system\\save\\load.scn";
  // A missing layout is reported the first time only; the screen still works without it.
  if (layoutMissingReported && !CPackArchive::Instance().Exists(path)) {
    layout = CLayout();
    return;
  }
  layoutMissingReported = !layout.Load(display, path);
}

int32_t CSaveLoadScreen::CountRows() const {
  if (listForm) return std::max(1, layout.GetControlRect(kList).Height() / std::max(settings::FontSize(), 1));
  int32_t rows = 0;
  while (layout.FindControl(Numbered(kList, rows)) >= 0) ++rows;
  // A layout without rows still shows one slot at a time, so the keys can reach every slot.
  return std::max(rows, 1);
}

void CSaveLoadScreen::Leave() {
  open = false;
  pager.reset();
  summaries = nullptr;
  host.FreeSummaries();
  layout = CLayout();
}

const SSlotSummary* CSaveLoadScreen::Selected() const {
  return pager && summaries ? summaries->Summary(pager->Selection()) : nullptr;
}

void CSaveLoadScreen::SelectionChanged() {
  if (!layout.GetControlRect(kThumbnail).IsEmpty() && Selected()) host.LoadThumbnail(pager->Selection());
  display.MarkAllDirty();
}

void CSaveLoadScreen::Update(int32_t) {
  const SPoint cursor = host.Cursor();
  const EHover now = menu.IsPromptShown() ? EHover::kNone : HoverAt(cursor.x, cursor.y);
  if (now == hover) return;
  display.MarkDirty(HoverRect(hover));
  display.MarkDirty(HoverRect(now));
  hover = now;
}

SRect CSaveLoadScreen::HoverRect(EHover which) const {
  switch (which) {
    case EHover::kBack:
      return layout.GetControlRect("戻る");
    case EHover::kPrevious:
      return layout.GetControlRect("前");
    case EHover::kNext:
      return layout.GetControlRect("次");
    default:
      return SRect();
  }
}

CSaveLoadScreen::EHover CSaveLoadScreen::HoverAt(int32_t x, int32_t y) const {
  if (!pager) return EHover::kNone;
  if (HoverRect(EHover::kBack).Contains(x, y)) return EHover::kBack;
  if (pager->HasPreviousPage() && HoverRect(EHover::kPrevious).Contains(x, y)) return EHover::kPrevious;
  if (pager->HasNextPage() && HoverRect(EHover::kNext).Contains(x, y)) return EHover::kNext;
  return EHover::kNone;
}

SRect CSaveLoadScreen::RowRect(int32_t row) const {
  if (!listForm) return layout.GetControlRect(Numbered(kList, row));
  const SRect list = layout.GetControlRect(kList);
  const int32_t size = settings::FontSize();
  return SRect{list.left, list.top + row * size, list.right, list.top + (row + 1) * size};
}

int32_t CSaveLoadScreen::RowTextY(int32_t row) const {
  const SRect rect = RowRect(row);
  const int32_t small = settings::FontSize() * 75 / 100;
  return listForm ? rect.top + (settings::FontSize() - small) / 2 : (rect.top + rect.bottom - small) / 2;
}

bool CSaveLoadScreen::IsOnSelectedRow(int32_t x, int32_t y) const {
  return pager && RowRect(pager->Row()).Contains(x, y);
}

void CSaveLoadScreen::OnMouseMove(int32_t x, int32_t y) {
  if (!pager) return;
  for (int32_t row = 0; row < pager->PerPage(); ++row) {
    if (!RowRect(row).Contains(x, y)) continue;
    if (pager->SelectRow(row)) SelectionChanged();
    return;
  }
}

void CSaveLoadScreen::OnLButtonDown(int32_t x, int32_t y) {
  if (!pager) return;
  if (IsOnSelectedRow(x, y)) return menu.OnConfirm();
  if (HoverRect(EHover::kBack).Contains(x, y)) return menu.OnCancel();
  bool changed = false;
  if (HoverRect(EHover::kPrevious).Contains(x, y)) changed = pager->PreviousPage() || changed;
  if (HoverRect(EHover::kNext).Contains(x, y)) changed = pager->NextPage() || changed;
  for (int32_t page = 0; page * pager->PerPage() < summaries->Count(); ++page)
    if (layout.GetControlRect(Numbered("ページ", page)).Contains(x, y))
      changed = pager->SelectPage(page) || changed;
  if (changed) SelectionChanged();
}

void CSaveLoadScreen::OnKeyDown(uint32_t key, bool firstPress) {
  if (!pager) return;
  bool changed = false;
  if (key == vk::kUp) changed = pager->Up();
  if (key == vk::kDown) changed = pager->Down();
  if (key == vk::kLeft) changed = pager->PreviousPage();
  if (key == vk::kRight) changed = pager->NextPage();
  if (changed) SelectionChanged();
  if ((key == vk::kReturn || key == vk::kSpace) && firstPress) menu.OnConfirm();
}

void CSaveLoadScreen::OnConfirm() {
  const SSlotSummary* summary = Selected();
  if (!summary) return;
  if (kind == EKind::kLoad) {
    // An empty slot has nothing to load.
    if (summary->exists) menu.Ask("ロードします。よろしいですか？");
    return;
  }
  if (settings::GetSetting("セーブファイル編集", "") == "あり")
    AskForComment(pager->Selection());
  else
    menu.Ask("セーブします。よろしいですか？");
}

void CSaveLoadScreen::AskForComment(int32_t slot) {
  host.OpenTextInput("名前", "名前を入力してください", host.SaveComment(), kCommentBytes, true,
                     [this, slot](bool ok, const std::string& comment) {
                       // The dialog answers later; the screen may have closed meanwhile.
                       if (ok && open) Save(slot, &comment);
                     });
}

void CSaveLoadScreen::OnPromptYes() {
  if (!Selected()) return;
  const int32_t slot = pager->Selection();
  if (kind == EKind::kSave) return Save(slot, nullptr);
  if (host.LoadGame(slot)) return menu.OpenMenu(CMenuLayer::kNone);
  host.ShowMessage("ロード", "ロードできませんでした");
  display.MarkAllDirty();
}

void CSaveLoadScreen::Save(int32_t slot, const std::string* comment) {
  if (!host.SaveGame(slot, comment)) host.ShowMessage("セーブ", "セーブできませんでした");
  display.MarkAllDirty();
}

void CSaveLoadScreen::Draw(float opacity, bool fullyOpen, int32_t, int32_t) {
  if (layout.ControlCount() == 0 && !layout.Background()) {
    const uint32_t alpha = static_cast<uint32_t>(std::clamp(opacity, 0.0f, 1.0f) * 255.0f);
    shapes::FillRect(SDrawTarget::Screen(display), 0, 0, display.Width(), display.Height(), alpha << 24);
  } else {
    layout.Draw("", opacity);
  }
  if (!fullyOpen || !pager) return;
  CTextFont& font = fonts.Font(1);
  for (int32_t row = 0; row < pager->PerPage() && pager->SlotAt(row) >= 0; ++row) DrawRow(row, font);
  if (hover == EHover::kBack) layout.Draw("戻る");
  if (hover == EHover::kPrevious) layout.Draw("前");
  if (hover == EHover::kNext) layout.Draw("次");
  layout.Draw(Numbered("ページ", pager->Page()));
  layout.Draw("ページ", 1.0f, pager->Page());
  DrawSelectedSlot(font);
}

void CSaveLoadScreen::DrawRow(int32_t row, CTextFont& font) const {
  const int32_t slot = pager->SlotAt(row);
  const SSlotSummary& summary = *summaries->Summary(slot);
  const SRect rect = RowRect(row);
  const int32_t y = RowTextY(row);
  const bool selected = slot == pager->Selection();
  if (selected && listForm)
    shapes::FillRect(SDrawTarget::Screen(display), rect.left, rect.top, rect.right, rect.bottom,
                     kSelectedRowFill);
  if (selected && !listForm) layout.Draw(Numbered(kList, row));
  const uint32_t colour = settings::FontColor();
  for (int i = 0; i < layout.ControlCount(); ++i) {
    const CLayoutControl& control = layout.Control(i);
    const std::optional<CSlotFieldText::SField> field = CSlotFieldText::ForRow(control.name, row);
    if (!field) continue;
    const std::optional<std::string> text =
        CSlotFieldText::Text(*field, slot, summary, summaries->NewestSlot());
    if (text) font.DrawText(control.rect.left, y, *text, colour);
  }
  if (summary.exists) return;
  const std::string empty = settings::GetSetting("セーブファイル空欄", "-- ＮＯ ＤＡＴＡ --");
  const SRect area = listForm ? layout.GetControlRect(kList) : rect;
  font.DrawText((area.left + area.right - font.TextWidth(empty)) / 2, y, empty, colour);
}

void CSaveLoadScreen::DrawSelectedSlot(CTextFont& font) const {
  const SSlotSummary* summary = Selected();
  if (!summary) return;
  const SRect box = layout.GetControlRect(kThumbnail);
  const CSurface& thumbnail = summary->thumbnail;
  if (!box.IsEmpty() && !thumbnail.IsEmpty())
    thumbnail.Blit(SDrawTarget::Screen(display), box.left, box.top, std::min(box.Width(), thumbnail.Width()),
                   std::min(box.Height(), thumbnail.Height()), 0, 0, 0xFFFFFFFFu);
  if (!summary->exists) return;
  const uint32_t colour = settings::FontColor();
  const SRect name = layout.GetControlRect("名前");
  if (layout.FindControl("名前") >= 0) font.DrawText(name.left, name.top, summary->speaker, colour);
  if (layout.FindControl("テキスト") < 0) return;
  const SRect lines = layout.GetControlRect("テキスト");
  for (size_t i = 0; i < summary->lines.size(); ++i)
    font.DrawText(lines.left, lines.top + static_cast<int32_t>(i) * settings::FontSize(), summary->lines[i],
                  colour);
}

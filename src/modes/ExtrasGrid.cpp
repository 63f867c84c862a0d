#include "modes/ExtrasGrid.h"

#include <algorithm>

#include "gfx/Display.h"
#include "gfx/DrawTarget.h"
#include "gfx/ShapeDraw.h"
#include "platform/VirtualKeys.h"

namespace {

constexpr const char* kCategoryPrefix = "カテゴリ";

}  // namespace

void CExtrasGrid::DrawInto(const CSurface& surface, CDisplay& display, const SRect& rect) {
  if (surface.IsEmpty() || rect.IsEmpty()) return;
  surface.DrawStretched(SDrawTarget::Screen(display), static_cast<float>(rect.left),
                        static_cast<float>(rect.top), static_cast<float>(rect.right),
                        static_cast<float>(rect.bottom), 0, 0, surface.BaseWidth(), surface.BaseHeight(),
                        0xFFFFFFFF, false);
}

std::string CExtrasGrid::Numbered(const char* prefix, int32_t number) {
  return prefix + std::to_string(number);
}

int32_t CExtrasGrid::CategoryOfControl(const std::string& name) {
  const std::string prefix = kCategoryPrefix;
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return -1;
  const std::string digits = name.substr(prefix.size());
  if (digits.size() > 9 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return -1;
  return std::stoi(digits);
}

bool CExtrasGrid::Load(CDisplay& target, const std::string& folder, const std::string& blankName,
                       int32_t minSlots) {
  display = &target;
  const std::string base = "system\\" + folder + "\\";
  if (!layout.Load(target, base + "bg.scn")) return false;
  // A missing cursor or blank picture leaves an empty surface: the orange fill, or nothing.
  cursor.Load(base + "cursor.png");
  blank.Load(base + blankName);
  slots = 0;
  while (layout.FindControl(Numbered("サムネイル", slots)) >= 0) ++slots;
  slots = std::max(slots, minSlots);
  thumbnails.resize(static_cast<size_t>(slots));
  return true;
}

int32_t CExtrasGrid::Pages() const {
  if (slots <= 0) return 1;
  return std::max<int32_t>(1, (EntryCount() + slots - 1) / slots);
}

void CExtrasGrid::SetEntries(std::vector<SGridEntry> visible, int32_t newPage, int32_t newSlot) {
  entries = std::move(visible);
  page = -1;
  ShowPage(newPage);
  slot = std::clamp(newSlot, 0, std::max(slots - 1, 0));
}

void CExtrasGrid::ShowPage(int32_t newPage) {
  newPage = std::clamp(newPage, 0, Pages() - 1);
  if (newPage == page) return;
  page = newPage;
  LoadThumbnails();
  MarkChanged();
}

void CExtrasGrid::LoadThumbnails() {
  // Locked entries get their thumbnail too; it is only not drawn.
  for (int32_t i = 0; i < slots; ++i) {
    CSurface& thumbnail = thumbnails[static_cast<size_t>(i)];
    const int32_t position = page * slots + i;
    if (position < EntryCount()) {
      if (!thumbnail.Load(entries[static_cast<size_t>(position)].thumbnail)) thumbnail.Clear();
    } else {
      thumbnail = blank;
    }
  }
}

void CExtrasGrid::Select(int32_t newSlot) {
  if (newSlot == slot || newSlot < 0 || newSlot >= slots) return;
  slot = newSlot;
  MarkChanged();
}

void CExtrasGrid::MarkChanged() const {
  if (display) display->MarkAllDirty();
}

int32_t CExtrasGrid::SelectedPosition() const {
  const int32_t position = page * slots + slot;
  return slots > 0 && position < EntryCount() ? position : -1;
}

bool CExtrasGrid::IsUnlocked(int32_t position) const {
  return position >= 0 && position < EntryCount() && entries[static_cast<size_t>(position)].unlocked;
}

int32_t CExtrasGrid::Rate() const {
  const auto unlocked =
      std::count_if(entries.begin(), entries.end(), [](const SGridEntry& e) { return e.unlocked; });
  return static_cast<int32_t>(unlocked * 100 / std::max<int32_t>(EntryCount(), 1));
}

CExtrasGrid::SRequest CExtrasGrid::OnKey(uint32_t key) {
  if (slots <= 0) return {};
  switch (key) {
    case vk::kUp:
    case vk::kLeft:
      if (slot > 0) {
        Select(slot - 1);
      } else if (page > 0) {
        ShowPage(page - 1);
        slot = slots - 1;
      }
      return {};
    case vk::kDown:
    case vk::kRight:
      if (slot < slots - 1) {
        Select(slot + 1);
      } else if (page < Pages() - 1) {
        ShowPage(page + 1);
        slot = 0;
      }
      return {};
    case vk::kPrior:
    case vk::kNext: {
      const int32_t wanted = category + (key == vk::kPrior ? -1 : 1);
      if (category < 0 || wanted < 0 || layout.FindControl(Numbered(kCategoryPrefix, wanted)) < 0) return {};
      return {kCategory, wanted};
    }
    case vk::kReturn:
    case vk::kSpace:
      return {kActivate};
    case vk::kEscape:
      return {kCancel};
    default:
      return {};
  }
}

void CExtrasGrid::OnMouseMove(int32_t x, int32_t y) {
  for (int32_t i = 0; i < slots; ++i)
    if (layout.GetControlRect(Numbered("サムネイル", i)).Contains(x, y)) Select(i);
}

CExtrasGrid::SRequest CExtrasGrid::OnClick(int32_t x, int32_t y) {
  const auto hit = [&](const std::string& name) { return layout.GetControlRect(name).Contains(x, y); };
  const int32_t before = page;
  if (hit("前") && page > 0) ShowPage(page - 1);
  if (hit("次") && page < Pages() - 1) ShowPage(page + 1);
  if (hit("戻る")) return {kCancel};
  for (int32_t p = 0; p < Pages(); ++p)
    if (hit(Numbered("ページ", p))) ShowPage(p);
  if (page != before) return {kPageChanged};
  if (category >= 0) {
    for (int i = 0; i < layout.ControlCount(); ++i) {
      const CLayoutControl& control = layout.Control(i);
      const int32_t wanted = CategoryOfControl(control.name);
      if (wanted >= 0 && control.rect.Contains(x, y)) return {kCategory, wanted};
    }
  }
  if (slots > 0 && hit(Numbered("サムネイル", slot))) return {kActivate};
  return {};
}

void CExtrasGrid::MarkHover(const std::vector<std::string>& extra) const {
  if (!display) return;
  for (const char* name : {"前", "次", "戻る"}) display->MarkDirty(layout.GetControlRect(name));
  for (const std::string& name : extra) display->MarkDirty(layout.GetControlRect(name));
}

void CExtrasGrid::DrawHover(const std::string& name, int32_t x, int32_t y) const {
  if (layout.GetControlRect(name).Contains(x, y)) layout.Draw(name);
}

void CExtrasGrid::Draw(int32_t x, int32_t y) const {
  layout.Draw("");
  if (category >= 0) layout.Draw(Numbered("カテゴリ画像", category));
  for (int32_t i = 0; i < slots; ++i) {
    const int32_t position = page * slots + i;
    if (position < EntryCount() && !IsUnlocked(position)) continue;
    DrawInto(thumbnails[static_cast<size_t>(i)], *display, layout.GetControlRect(Numbered("サムネイル", i)));
  }
  if (slots > 0) {
    const SRect rect = layout.GetControlRect(Numbered("サムネイル", slot));
    if (cursor.IsEmpty())
      shapes::FillRect(SDrawTarget::Screen(*display), rect.left, rect.top, rect.right, rect.bottom,
                       kCursorFallback);
    else
      DrawInto(cursor, *display, rect);
  }
  DrawHover("戻る", x, y);
  if (page > 0) DrawHover("前", x, y);
  if (page < Pages() - 1) DrawHover("次", x, y);
  layout.Draw(Numbered("ページ", page));
  layout.Draw("ページ", 1.0f, page);
  if (category >= 0) layout.Draw(Numbered(kCategoryPrefix, category));
  DrawRate();
}

void CExtrasGrid::DrawRate() const {
  const int32_t rate = Rate();
  if (rate >= 100) layout.Draw("達成率3", 1.0f, rate / 100 % 10);
  if (rate > 9) layout.Draw("達成率2", 1.0f, rate / 10 % 10);
  layout.Draw("達成率1", 1.0f, rate % 10);
}

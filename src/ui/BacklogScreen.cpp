#include "ui/BacklogScreen.h"

#include <algorithm>

#include "gfx/Display.h"
#include "gfx/DrawTarget.h"
#include "gfx/ShapeDraw.h"
#include "persist/Settings.h"
#include "platform/VirtualKeys.h"
#include "ui/BacklogHost.h"
#include "ui/MenuLayer.h"
#include "ui/MessageText.h"

namespace {

constexpr const char* kScrollBar = "スクロール";
constexpr uint32_t kTrackColour = 0x80C0C0C0u;
constexpr uint32_t kBoxColour = 0xFFC0C0C0u;
constexpr uint32_t kHighlightStrong = 0x800000FFu;
constexpr uint32_t kHighlightWeak = 0x400000FFu;
// The arrows are centred as if their glyphs were 12 pixels square.
constexpr int32_t kArrowGlyph = 12;

std::string RowControl(const char* prefix, int32_t row) { return prefix + std::to_string(row); }

}  // namespace

CBacklogScreen::CBacklogScreen(IBacklogHost& host, CDisplay& display, CMenuLayer& menu, CMessageText& text)
    : host(host), display(display), menu(menu), text(text) {}

int32_t CBacklogScreen::Count() const { return static_cast<int32_t>(text.Backlog().size()); }

const CMessagePage& CBacklogScreen::PageAt(int32_t index) const {
  return text.Backlog()[static_cast<size_t>(index)];
}

void CBacklogScreen::Enter() {
  layout = CLayout();
  layout.Load(display, text.WindowStyle() == 0 ? "system\\log\\bg.scn" : "system\\log\\bg1.scn");
  rows = 1;
  while (layout.FindControl(RowControl("ログ", rows)) >= 0) ++rows;
  first = std::max(Count() - rows, 0);
  selected = Count() - 1;
  dragging = false;
  display.MarkAllDirty();
}

void CBacklogScreen::Leave() {
  Release();
  layout = CLayout();
}

void CBacklogScreen::Draw(float, bool, int32_t, int32_t) {
  // Over everything at full opacity: the backlog does not fade.
  layout.Draw("");
  for (int32_t row = 0; row < rows && first + row < Count(); ++row) DrawRow(row);
  if (HasScrollBar()) DrawScrollBar();
}

void CBacklogScreen::DrawRow(int32_t row) const {
  const CMessagePage& page = PageAt(first + row);
  CFontSet& fonts = text.Fonts();
  const std::string area = RowControl("ログ", row);
  // With a single row the selection would always be that row: no highlight.
  if (first + row == selected && rows > 1) {
    const int index = layout.FindControl(area);
    const CSurface* image = index >= 0 ? layout.Control(index).image : nullptr;
    const SRect r = layout.GetControlRect(area);
    if (image && !image->IsEmpty())
      layout.Draw(area);
    else
      shapes::DrawShadedRect(SDrawTarget::Screen(display), static_cast<float>(r.left),
                             static_cast<float>(r.top), static_cast<float>(r.right),
                             static_cast<float>(r.bottom), kHighlightStrong, kHighlightWeak, kHighlightWeak,
                             kHighlightStrong);
  }
  const std::string name = RowControl("名前", row);
  if (layout.FindControl(name) >= 0) {
    const SRect r = layout.GetControlRect(name);
    fonts.Font(CFontSet::kNormal).DrawText(r.left, r.top, page.speaker, settings::NameColor());
  }
  const std::string body = RowControl("テキスト", row);
  if (layout.FindControl(body) >= 0) {
    const SRect r = layout.GetControlRect(body);
    page.Draw(fonts, r.left, r.top, settings::LinePitch(), settings::FontColor());
  }
  if (!page.voice.empty()) layout.Draw(RowControl("ボイス", row));
}

bool CBacklogScreen::HasScrollBar() const {
  return Count() > rows && !layout.GetControlRect(kScrollBar).IsEmpty();
}

int32_t CBacklogScreen::TrackLength() const {
  const SRect r = layout.GetControlRect(kScrollBar);
  return r.Height() - 2 * r.Width();
}

void CBacklogScreen::ThumbSpan(int32_t& top, int32_t& bottom) const {
  const SRect r = layout.GetControlRect(kScrollBar);
  const int64_t m = TrackLength();
  top = r.top + r.Width() + static_cast<int32_t>(m * first / Count());
  bottom = r.top + r.Width() + static_cast<int32_t>(m * (first + rows) / Count());
}

void CBacklogScreen::DrawScrollBar() const {
  const SDrawTarget screen = SDrawTarget::Screen(display);
  const SRect r = layout.GetControlRect(kScrollBar);
  const int32_t w = r.Width();
  shapes::FillRect(screen, r.left, r.top, r.right, r.bottom, kTrackColour);
  int32_t thumbTop = 0, thumbBottom = 0;
  ThumbSpan(thumbTop, thumbBottom);
  shapes::FillRect(screen, r.left + 2, thumbTop, r.right - 2, thumbBottom, kBoxColour);
  shapes::FillRect(screen, r.left + 2, r.top + 2, r.right - 2, r.top + w - 2, kBoxColour);
  shapes::FillRect(screen, r.left + 2, r.bottom - w + 2, r.right - 2, r.bottom - 2, kBoxColour);
  CTextFont& font = text.Fonts().Font(0);
  const int32_t x = (r.left + r.right - kArrowGlyph) / 2;
  font.DrawText(x, (2 * r.top + w - kArrowGlyph) / 2, "▲", settings::FontColor());
  font.DrawText(x, (2 * r.bottom - w - kArrowGlyph) / 2, "▼", settings::FontColor());
}

void CBacklogScreen::SetFirst(int32_t value) {
  const int32_t clamped = std::clamp(value, 0, std::max(Count() - rows, 0));
  if (clamped == first) return;
  first = clamped;
  display.MarkAllDirty();
}

void CBacklogScreen::Hover(int32_t x, int32_t y) {
  for (int32_t row = 0; row < rows && first + row < Count(); ++row) {
    if (!layout.GetControlRect(RowControl("ログ", row)).Contains(x, y) || first + row == selected) continue;
    selected = first + row;
    display.MarkAllDirty();
  }
}

void CBacklogScreen::OnMouseMove(int32_t x, int32_t y) {
  if (!dragging) return Hover(x, y);
  const int32_t m = TrackLength();
  if (m > 0) SetFirst(dragFirst + static_cast<int32_t>(int64_t{Count()} * (y - dragY) / m));
}

void CBacklogScreen::OnLButtonDown(int32_t x, int32_t y) {
  const int32_t row = selected - first;
  if (selected >= 0 && row < rows && layout.GetControlRect(RowControl("ログ", row)).Contains(x, y))
    OnConfirm();
  if (Count() > rows && layout.GetControlRect(kScrollBar).Contains(x, y)) ClickScrollBar(x, y);
  display.MarkAllDirty();
}

void CBacklogScreen::ClickScrollBar(int32_t, int32_t y) {
  const SRect r = layout.GetControlRect(kScrollBar);
  int32_t thumbTop = 0, thumbBottom = 0;
  ThumbSpan(thumbTop, thumbBottom);
  if (y < r.top + r.Width()) {
    SetFirst(first - 1);
  } else if (y >= r.bottom - r.Width()) {
    SetFirst(first + 1);
  } else if (y < thumbTop) {
    SetFirst(first < rows ? 0 : first - rows + 1);
  } else if (y < thumbBottom) {
    dragging = true;
    dragFirst = first;
    dragY = y;
    host.SetCapture(true);
  } else {
    SetFirst(first + rows - 1);
  }
}

void CBacklogScreen::OnLButtonUp(int32_t, int32_t) { Release(); }

void CBacklogScreen::Release() {
  if (!dragging) return;
  dragging = false;
  host.SetCapture(false);
}

bool CBacklogScreen::OnCancel() {
  if (!dragging) return false;
  Release();
  return true;
}

void CBacklogScreen::OnMouseWheel(int32_t notches) {
  for (; notches != 0; notches += notches > 0 ? -1 : 1) {
    // A backward notch with the newest page in view leaves the backlog.
    if (notches < 0 && first + rows >= Count()) return Close();
    SetFirst(first + (notches > 0 ? -1 : 1));
  }
  const SPoint cursor = host.GetCursorPos();
  Hover(cursor.x, cursor.y);
}

void CBacklogScreen::OnKeyDown(uint32_t key, bool firstPress) {
  if (dragging) return;
  if (key == vk::kUp && selected > 0) return MoveSelection(-1);
  if (key == vk::kDown && selected < Count() - 1) return MoveSelection(1);
  // Only a fresh press closes: holding Down through the pages stops at the newest.
  if (key == vk::kDown && firstPress) return Close();
  if ((key == vk::kReturn || key == vk::kSpace) && firstPress) OnConfirm();
}

void CBacklogScreen::MoveSelection(int32_t step) {
  selected += step;
  SetFirst(std::max(std::min(first, selected), selected - rows + 1));
  display.MarkAllDirty();
}

void CBacklogScreen::OnConfirm() {
  if (selected < 0 || selected >= Count()) return;
  const std::string& voice = PageAt(selected).voice;
  if (!voice.empty()) host.PlayVoice(voice);
}

void CBacklogScreen::Close() { menu.OnCancel(); }

#include "ui/MessageWindow.h"

#include "gfx/Display.h"
#include "persist/Settings.h"
#include "ui/MessageHost.h"
#include "ui/MessageText.h"

const CMessageWindow::SButton CMessageWindow::kButtons[kButtonCount] = {
    {"クイックロード", kQuickLoad},
    {"クイックセーブ", kQuickSave},
    {"ログ", kLog},
    {"オート", kAuto},
    {"スキップ", kSkip},
    {"ロード", kLoad},
    {"セーブ", kSave},
    {"コンフィグ", kConfig},
    {"閉じる", kClose},
};

namespace {

const char* const kVerbs[] = {"出る、移動する", "見る、調べる", "話す",
                              "さわる、なでる", "取る、つかむ", "たたく、なぐる"};
constexpr int kVerbCount = 6;
constexpr int kCursorSize = 32;
constexpr int kFirstVerbCursor = 8;

bool InRange(int32_t mode, int32_t low, int32_t high) { return mode >= low && mode <= high; }

}  // namespace

CMessageWindow::CMessageWindow(IMessageHost& host, CMessageText& text, CDisplay& display)
    : host(host), text(text), display(display) {}

void CMessageWindow::LoadLayouts() {
  clickLayout = CLayout();
  clickLayout.Load(display, "system\\window\\click.scn");
  datePlate.Load(display);
  choicePlate.Load(display);
}

void CMessageWindow::SetSystemImage(const CSurface* image) {
  systemImage = image;
  keyWait.SetPictures(keyWaitAnimation, systemImage);
}

void CMessageWindow::SetKeyWaitAnimation(CAnimation* animation) {
  keyWaitAnimation = animation;
  keyWait.SetPictures(keyWaitAnimation, systemImage);
}

void CMessageWindow::SetFace(const std::string& name) {
  if (name == faceName) return;
  faceName = name;
  face.Clear();
  if (!name.empty()) face.Load(name);
  display.MarkDirty(text.WindowLayout().GetControlRect("顔"));
}

void CMessageWindow::UpdateWindowLevels(int32_t ticks) {
  const int32_t mode = host.GetMode();
  const bool effectsOff = settings::Config().Value(CPlayerConfig::kEffects) == 1 && !host.IsDemoMode();
  const bool jump = text.IsSkipping() || effectsOff;
  if (level.Update(shown && mode != CMessageText::kModeClickRegions, ticks, jump, settings::WindowTime()))
    text.WindowLayout().Invalidate();
  datePlate.Update(ticks);
  choicePlate.Update(ticks, mode == CMessageText::kModeChoice && host.GetMenuState() == 0,
                     host.Choices().size());
}

void CMessageWindow::JumpLevels() {
  level.Update(shown && host.GetMode() != CMessageText::kModeClickRegions, 0, true, settings::WindowTime());
  datePlate.Jump();
  text.WindowLayout().Invalidate();
}

bool CMessageWindow::IsButtonAvailable(int kind) const {
  if (host.IsOpeningRunning() || host.IsDemoMode()) return false;
  const int32_t mode = host.GetMode();
  const bool skipping = text.IsSkipping();
  const bool loadModes = InRange(mode, 1, 5) || InRange(mode, 7, 13) || mode == 16;
  switch (kind) {
    case kAuto:
      return level.IsOpen() && !skipping;
    case kSkip:
      return level.IsOpen();
    case kQuickLoad:
    case kLoad:
      return loadModes && !skipping && !host.IsReplay();
    case kQuickSave:
    case kSave:
      return (InRange(mode, 2, 5) || mode == 13 || mode == 16) && !skipping && !host.IsReplay();
    case kClose:
      return InRange(mode, 2, 5) && !skipping && level.IsOpen();
    case kLog:
    case kConfig:
      return loadModes && !skipping;
    default:
      return false;
  }
}

int CMessageWindow::ButtonAt(int32_t x, int32_t y) const {
  for (const SButton& button : kButtons)
    if (text.WindowLayout().GetControlRect(button.control).Contains(x, y)) return button.kind;
  return -1;
}

void CMessageWindow::MarkHoverDirty(int32_t oldX, int32_t oldY, int32_t x, int32_t y) {
  const CLayout& layout = text.WindowLayout();
  for (const SButton& button : kButtons) {
    const SRect rect = layout.GetControlRect(button.control);
    if (rect.Contains(oldX, oldY) || rect.Contains(x, y)) display.MarkDirty(rect);
  }
  if (host.GetMenuState() != 0) return;
  // On a click wait with the mouse still nothing in the text area changes (the key-wait icon marks
  // itself), so an idle page costs no redraw; elsewhere hover and selection may change it.
  const int32_t mode = host.GetMode();
  const bool still = oldX == x && oldY == y;
  if (!still || (mode != CMessageText::kModeClickWait && mode != CMessageText::kModeClickWaitPage))
    display.MarkDirty(text.TextArea());
  if (mode != CMessageText::kModeClickRegions) return;
  for (const SPoint& p : {SPoint{oldX, oldY}, SPoint{x, y}})
    display.MarkDirty({p.x - kCursorSize / 2, p.y - kCursorSize / 2, p.x + kCursorSize, p.y + kCursorSize});
  clickLayout.Invalidate();
}

bool CMessageWindow::IsWaitMode(int32_t mode) const {
  return mode == CMessageText::kModeClickWait || mode == CMessageText::kModeClickWaitPage ||
         mode == CMessageText::kModeChoice || mode == CMessageText::kModeClickRegions;
}

bool CMessageWindow::IsHidden(int32_t mode) const {
  return (hiddenByPlayer && IsWaitMode(mode)) || host.GetMenuState() == 7;
}

void CMessageWindow::MarkFrameChanges(uint32_t milliseconds) {
  const int32_t mode = host.GetMode();
  const bool clickPlate = mode == CMessageText::kModeClickRegions && !IsHidden(mode);
  if (clickPlate != clickPlateShown) clickLayout.Invalidate();
  clickPlateShown = clickPlate;
  const bool clickWait = mode == CMessageText::kModeClickWait || mode == CMessageText::kModeClickWaitPage;
  const bool show = clickWait && text.ShowsKeyWaitIcon() && !host.IsDialogOpen() && !IsHidden(mode);
  const CLayout& layout = text.WindowLayout();
  const SRect corner = layout.GetControlRect(layout.FindControl("カーソル") >= 0 ? "カーソル" : "テキスト");
  keyWait.Update(display, show, {corner.right, corner.bottom}, milliseconds);
}

void CMessageWindow::Draw(int32_t x, int32_t y) {
  const int32_t mode = host.GetMode();
  if (IsHidden(mode)) return;
  const int32_t maximum = settings::WindowTime();
  if (level.IsOpen()) text.WindowLayout().Draw("", level.Opacity(maximum));
  if (level.IsFull(maximum)) DrawFullyOpen(x, y);
  datePlate.Draw(host.GameClock(), text.Fonts().Font(CFontSet::kNormal), settings::FontColor());
  keyWait.Draw(display);
  if (mode != CMessageText::kModeClickRegions) text.DrawText();
  choicePlate.Draw(display, host.Choices(), host.GetChoiceHover(), text.Fonts().Font(CFontSet::kNormal),
                   settings::LinePitch(),
                   [this](const SChoice& choice) { return text.IsRead(choice.bodyLine - 1); });
  if (mode == CMessageText::kModeClickRegions) DrawClickRegions(x, y);
}

void CMessageWindow::DrawFullyOpen(int32_t x, int32_t y) {
  const SRect faceRect = text.WindowLayout().GetControlRect("顔");
  if (!face.IsEmpty() && !faceRect.IsEmpty())
    face.DrawStretched(SDrawTarget::Screen(display), static_cast<float>(faceRect.left),
                       static_cast<float>(faceRect.top), static_cast<float>(faceRect.right),
                       static_cast<float>(faceRect.bottom), 0, 0, face.BaseWidth(), face.BaseHeight(),
                       0xFFFFFFFF, false);
  DrawSpeaker();
  DrawButtons(x, y);
}

void CMessageWindow::DrawSpeaker() {
  const std::string& name = text.Page().speaker;
  const CLayout& layout = text.WindowLayout();
  if (name.empty() || layout.FindControl("名前") < 0) return;
  const SRect rect = layout.GetControlRect("名前");
  CFontSet& fonts = text.Fonts();
  const auto half = static_cast<int32_t>(name.size() * static_cast<size_t>(fonts.BaseSize()) / 4);
  fonts.Font(CFontSet::kNormal)
      .DrawText((rect.left + rect.right) / 2 - half, rect.top, name, settings::NameColor());
}

void CMessageWindow::DrawButtons(int32_t x, int32_t y) {
  const CLayout& layout = text.WindowLayout();
  for (const SButton& button : kButtons) {
    const bool hovered = host.GetMenuState() == 0 && IsButtonAvailable(button.kind) &&
                         layout.GetControlRect(button.control).Contains(x, y);
    const bool toggled =
        (button.kind == kAuto && host.IsAutoMode()) || (button.kind == kSkip && host.IsSkipMode());
    std::string name = button.control;
    if (toggled) {
      const std::string variant = name + (hovered ? "（有効・選択）" : "（有効）");
      if (layout.FindControl(variant) >= 0) name = variant;
    } else if (!hovered) {
      continue;
    }
    layout.Draw(name, 1.0f);
  }
}

void CMessageWindow::DrawClickRegions(int32_t x, int32_t y) {
  clickLayout.DrawAll();
  const int hover = host.GetChoiceHover();
  const std::vector<SClickRegion>& regions = host.ClickRegions();
  if (hover < 0 || static_cast<size_t>(hover) >= regions.size()) return;
  const int32_t verb = regions[hover].verb;
  if (verb < 0 || verb >= kVerbCount) return;
  const SRect area = clickLayout.GetControlRect("テキスト");
  CTextFont& font = text.Fonts().Font(CFontSet::kNormal);
  font.DrawText((area.left + area.right - font.TextWidth(kVerbs[verb])) / 2,
                (area.top + area.bottom - font.Size()) / 2, kVerbs[verb], settings::FontColor());
  DrawCursor(kFirstVerbCursor + verb, x, y);
}

void CMessageWindow::DrawCursor(int cell, int32_t x, int32_t y) const {
  if (cell == 0 || !systemImage || x < 0 || y < 0 || x >= display.Width() || y >= display.Height()) return;
  systemImage->Blit(SDrawTarget::Screen(display), x - kCursorSize / 2, y - kCursorSize / 2, kCursorSize,
                    kCursorSize, (cell % 8) * kCursorSize, (cell / 8) * kCursorSize, 0xFFFFFFFF);
}

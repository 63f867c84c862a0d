#include "ui/DialogFrame.h"

#include <algorithm>

#include "gfx/Display.h"
#include "gfx/ShapeDraw.h"
#include "ui/TextFont.h"

namespace {

constexpr uint32_t kButtonFill = 0xFF4C5670;
constexpr uint32_t kButtonHover = 0xFF66749A;
constexpr uint32_t kButtonPressed = 0xFF303850;
// Without a created font the boxes still get a usable size.
constexpr int32_t kFallbackFontSize = 18;

const char* const kLabels[2] = {"OK", "ｷｬﾝｾﾙ"};

}  // namespace

int32_t CDialogFrame::FontSizeOf(const CTextFont& font) {
  return font.Size() >= 8 ? font.Size() : kFallbackFontSize;
}

void CDialogFrame::Create(CDisplay& screen, CTextFont& textFont, const std::string& title,
                          int32_t contentWidth, int32_t contentHeight) {
  display = &screen;
  font = &textFont;
  caption = title;
  fontSize = FontSizeOf(textFont);
  hovered = pressed = kNoButton;
  const int32_t p = Padding();
  const int32_t captionHeight = fontSize + p;
  const int32_t buttonHeight = fontSize + p;
  const int32_t buttonWidth = std::max(4 * fontSize, font->TextWidth(kLabels[1]) + 2 * p);
  const int32_t inner = std::max({contentWidth, font->TextWidth(caption), 2 * buttonWidth + p});
  const int32_t width = std::min(inner + 2 * p, display->Width());
  const int32_t height = captionHeight + p + contentHeight + p + buttonHeight + p;
  bounds.left = (display->Width() - width) / 2;
  bounds.top = std::max(0, (display->Height() - height) / 2);
  bounds.right = bounds.left + width;
  bounds.bottom = bounds.top + height;
  captionBar = {bounds.left + 1, bounds.top + 1, bounds.right - 1, bounds.top + captionHeight};
  content = {bounds.left + p, captionBar.bottom + p, bounds.right - p, captionBar.bottom + p + contentHeight};
  const int32_t buttonTop = bounds.bottom - p - buttonHeight;
  buttons[kCancelButton] = {bounds.right - p - buttonWidth, buttonTop, bounds.right - p,
                            buttonTop + buttonHeight};
  buttons[kOkButton] = {buttons[kCancelButton].left - p - buttonWidth, buttonTop,
                        buttons[kCancelButton].left - p, buttonTop + buttonHeight};
}

void CDialogFrame::Invalidate() const {
  if (display) display->MarkDirty(bounds);
}

void CDialogFrame::SetOkEnabled(bool enabled) {
  if (enabled == okEnabled) return;
  okEnabled = enabled;
  Invalidate();
}

CDialogFrame::EButton CDialogFrame::ButtonAt(int32_t x, int32_t y) const {
  for (EButton button : {kOkButton, kCancelButton})
    if (buttons[button].Contains(x, y)) return button;
  return kNoButton;
}

void CDialogFrame::OnMouseMove(int32_t x, int32_t y) {
  const EButton now = ButtonAt(x, y);
  if (now == hovered) return;
  hovered = now;
  Invalidate();
}

void CDialogFrame::OnLButtonDown(int32_t x, int32_t y) {
  pressed = ButtonAt(x, y);
  if (pressed != kNoButton) Invalidate();
}

CDialogFrame::EButton CDialogFrame::OnLButtonUp(int32_t x, int32_t y) {
  const EButton was = pressed;
  pressed = kNoButton;
  if (was == kNoButton) return kNoButton;
  Invalidate();
  if (ButtonAt(x, y) != was || (was == kOkButton && !okEnabled)) return kNoButton;
  return was;
}

CDialog::EResult CDialogFrame::Answer(EButton button) {
  if (button == kOkButton) return CDialog::EResult::kOk;
  if (button == kCancelButton) return CDialog::EResult::kCancel;
  return CDialog::EResult::kOpen;
}

void CDialogFrame::DrawBox(const SRect& r, uint32_t fill, uint32_t border) const {
  const SDrawTarget target = SDrawTarget::Screen(*display);
  shapes::FillRect(target, r.left, r.top, r.right, r.top + 1, border);
  shapes::FillRect(target, r.left, r.bottom - 1, r.right, r.bottom, border);
  shapes::FillRect(target, r.left, r.top + 1, r.left + 1, r.bottom - 1, border);
  shapes::FillRect(target, r.right - 1, r.top + 1, r.right, r.bottom - 1, border);
  shapes::FillRect(target, r.left + 1, r.top + 1, r.right - 1, r.bottom - 1, fill);
}

void CDialogFrame::DrawText(int32_t x, int32_t y, std::string_view text, uint32_t colour) const {
  font->DrawText(x, y, text, colour);
}

void CDialogFrame::DrawButton(EButton button, std::string_view label) const {
  const SRect& r = buttons[button];
  const bool enabled = button != kOkButton || okEnabled;
  const uint32_t fill = !enabled            ? kButtonFill
                        : pressed == button ? kButtonPressed
                        : hovered == button ? kButtonHover
                                            : kButtonFill;
  DrawBox(r, fill, kBorder);
  // OK is the default button: Enter presses it, so it carries a second border.
  if (button == kOkButton) DrawBox({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, fill, kBorder);
  DrawText((r.left + r.right - font->TextWidth(label)) / 2, TextTop(r), label,
           enabled ? kText : kDisabledText);
}

void CDialogFrame::Draw() const {
  if (!display) return;
  DrawBox(bounds, kPanel, kBorder);
  shapes::FillRect(SDrawTarget::Screen(*display), captionBar.left, captionBar.top, captionBar.right,
                   captionBar.bottom, kCaptionBar);
  DrawText(bounds.left + Padding(), TextTop(captionBar), caption, kText);
  DrawButton(kOkButton, kLabels[kOkButton]);
  DrawButton(kCancelButton, kLabels[kCancelButton]);
}

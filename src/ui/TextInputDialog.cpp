#include "ui/TextInputDialog.h"

#include <algorithm>

#include "gfx/Display.h"
#include "gfx/ShapeDraw.h"
#include "platform/VirtualKeys.h"
#include "ui/TextFont.h"

namespace {

// Field widths beyond this many bytes scroll instead of widening the dialog.
constexpr size_t kWidestField = 48;

}  // namespace

CTextInputDialog::CTextInputDialog(CDisplay& display, CTextFont& font, const std::string& caption,
                                   const std::string& labelText, const std::string& text, size_t maxBytes,
                                   bool emptyAllowed, Done onDone)
    : label(labelText), allowEmpty(emptyAllowed), done(std::move(onDone)) {
  buffer.Reset(text, maxBytes);
  const int32_t size = CDialogFrame::FontSizeOf(font);
  const int32_t p = size / 2;
  const int32_t fieldWidth =
      std::max<int32_t>(8 * size, static_cast<int32_t>(std::min(maxBytes, kWidestField)) * size / 2 + p);
  const int32_t fieldHeight = size + p;
  frame.Create(display, font, caption, std::max(font.TextWidth(label), fieldWidth),
               size + p / 2 + fieldHeight);
  const SRect& c = frame.Content();
  labelRow = {c.left, c.top, c.right, c.top + size};
  field = {c.left, c.bottom - fieldHeight, c.right, c.bottom};
  frame.SetOkEnabled(CanConfirm());
}

void CTextInputDialog::Changed() {
  frame.SetOkEnabled(CanConfirm());
  frame.Invalidate();
}

CDialog::EResult CTextInputDialog::OnLButtonDown(int32_t x, int32_t y) {
  frame.OnLButtonDown(x, y);
  return EResult::kOpen;
}

CDialog::EResult CTextInputDialog::OnLButtonUp(int32_t x, int32_t y) {
  return CDialogFrame::Answer(frame.OnLButtonUp(x, y));
}

bool CTextInputDialog::Edit(uint32_t key) {
  switch (key) {
    case vk::kBack:
      buffer.Backspace();
      return true;
    case vk::kDelete:
      buffer.Delete();
      return true;
    case vk::kLeft:
      buffer.MoveLeft();
      return true;
    case vk::kRight:
      buffer.MoveRight();
      return true;
    case vk::kHome:
      buffer.MoveHome();
      return true;
    case vk::kEnd:
      buffer.MoveEnd();
      return true;
    default:
      return false;
  }
}

CDialog::EResult CTextInputDialog::OnKeyDown(uint32_t key, bool firstPress) {
  if (buffer.IsComposing()) return EResult::kOpen;
  if (key == vk::kReturn && firstPress) return CanConfirm() ? EResult::kOk : EResult::kOpen;
  if (key == vk::kEscape && firstPress) return EResult::kCancel;
  if (Edit(key)) Changed();
  return EResult::kOpen;
}

CDialog::EResult CTextInputDialog::OnTextInput(const std::string& utf8) {
  buffer.Type(utf8);
  Changed();
  return EResult::kOpen;
}

void CTextInputDialog::OnTextEditing(const std::string& utf8, int32_t cursor) {
  if (!buffer.IsComposing() && utf8.empty()) return;
  buffer.SetComposition(utf8, cursor);
  Changed();
}

void CTextInputDialog::Finish(bool ok) {
  if (done) done(ok, ok ? buffer.Text() : std::string());
}

void CTextInputDialog::Draw() {
  frame.Draw();
  frame.DrawText(labelRow.left, labelRow.top, label, CDialogFrame::kText);
  DrawField();
}

void CTextInputDialog::DrawField() const {
  frame.DrawBox(field, CDialogFrame::kFieldFill, CDialogFrame::kBorder);
  CTextFont& font = frame.Font();
  const std::string& text = buffer.Text();
  const size_t caret = buffer.Caret();
  // What the field shows: the text with the composition at the caret.
  const std::string shown = text.substr(0, caret) + buffer.Composition() + text.substr(caret);
  const size_t compositionEnd = caret + buffer.Composition().size();
  const size_t shownCaret = caret + buffer.CompositionCaret();
  const int32_t p = frame.Padding();
  const int32_t left = field.left + p / 2, room = field.Width() - p;
  auto width = [&](size_t from, size_t to) {
    return font.TextWidth(std::string_view(shown).substr(from, to - from));
  };
  // The shown part starts far enough right that the caret stays inside the field.
  size_t start = 0;
  while (start < shownCaret && width(start, shownCaret) > room)
    start += CTextInputBuffer::CharLength(shown, start);
  size_t end = start;
  while (end < shown.size() && width(start, end + CTextInputBuffer::CharLength(shown, end)) <= room)
    end += CTextInputBuffer::CharLength(shown, end);
  const int32_t top = frame.TextTop(field);
  const SDrawTarget screen = SDrawTarget::Screen(frame.Display());
  if (buffer.IsAllSelected())
    shapes::FillRect(screen, left, top, left + width(start, end), top + frame.FontSize(),
                     CDialogFrame::kHighlight);
  const uint32_t colour = buffer.IsAllSelected() ? CDialogFrame::kText : CDialogFrame::kFieldText;
  frame.DrawText(left, top, std::string_view(shown).substr(start, end - start), colour);
  // The composition is underlined where it is visible.
  const size_t from = std::clamp(caret, start, end), to = std::clamp(compositionEnd, start, end);
  if (from < to)
    shapes::FillRect(screen, left + width(start, from), top + frame.FontSize() - 1, left + width(start, to),
                     top + frame.FontSize() + 1, CDialogFrame::kHighlight);
  if (!buffer.IsAllSelected()) {
    const int32_t x = left + width(start, std::clamp(shownCaret, start, end));
    shapes::FillRect(screen, x, top, x + 2, top + frame.FontSize(), CDialogFrame::kFieldText);
  }
}

#include "ui/PromptBox.h"

#include <vector>

#include "gfx/Display.h"
#include "persist/Settings.h"
#include "ui/TextFont.h"

namespace {

const std::vector<std::string>& Labels() {
  static const std::vector<std::string> kLabels = {"はい", "いいえ"};
  return kLabels;
}

}  // namespace

void CPromptBox::Load(CDisplay& screen) {
  display = &screen;
  layout = CLayout();
  layout.Load(screen, "system\\window\\message.scn");
}

// The question may reach past its control, so every change redraws the screen.
void CPromptBox::Invalidate() const {
  if (display) display->MarkAllDirty();
}

void CPromptBox::Clear() {
  question.clear();
  Invalidate();
}

void CPromptBox::Open(const std::string& text) {
  question = text;
  selection = kNo;
  Invalidate();
}

void CPromptBox::Select(int answer) {
  if (answer == selection) return;
  selection = answer;
  Invalidate();
}

void CPromptBox::Update(int32_t ticks, bool systemMenuClosed) {
  if (level.Update(IsShown() && systemMenuClosed, ticks, false, settings::WindowTime())) Invalidate();
}

bool CPromptBox::IsFullyOpen() const { return level.IsFull(settings::WindowTime()); }

CMenuRows CPromptBox::Rows() const {
  return CMenuRows(layout.GetControlRect("選択肢"), 2, settings::LinePitch());
}

void CPromptBox::HoverAt(int32_t x, int32_t y) {
  int answer = Rows().RowAt(x, y);
  if (answer < 0) answer = selection;
  if (layout.GetControlRect("はい(選択)").Contains(x, y)) answer = kYes;
  if (layout.GetControlRect("いいえ(選択)").Contains(x, y)) answer = kNo;
  Select(answer);
}

bool CPromptBox::IsOnSelected(int32_t x, int32_t y) const {
  return Rows().RowAt(x, y) == selection ||
         layout.GetControlRect(Labels()[selection] + "(選択)").Contains(x, y);
}

void CPromptBox::DrawLabel(CTextFont& font, const std::string& label, const SRect& rect) const {
  font.DrawText(CMenuRows::CentredLeft(rect.left, rect.right, font.Size(), label.size()),
                (rect.top + rect.bottom - font.Size()) / 2, label, settings::FontColor());
}

void CPromptBox::Draw(CTextFont& font) const {
  if (!level.IsOpen()) return;
  layout.Draw("", level.Opacity(settings::WindowTime()));
  if (!IsFullyOpen() || !IsShown()) return;
  DrawLabel(font, question, layout.GetControlRect("テキスト"));
  Rows().Draw(SDrawTarget::Screen(*display), font, Labels(), selection, settings::FontColor());
  for (int answer = kYes; answer <= kNo; ++answer) {
    const std::string& label = Labels()[answer];
    layout.Draw(label + (answer == selection ? "(選択)" : "(非選択)"));
    if (layout.FindControl(label) >= 0) DrawLabel(font, label, layout.GetControlRect(label));
  }
}

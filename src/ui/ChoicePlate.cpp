#include "ui/ChoicePlate.h"

#include <string>

#include "gfx/Display.h"
#include "io/PackArchive.h"
#include "persist/Settings.h"
#include "ui/HighlightBar.h"
#include "ui/TextFont.h"

namespace {

std::string Numbered(const char* format, size_t number) {
  char name[64];
  std::snprintf(name, sizeof(name), format, static_cast<int>(number));
  return name;
}

}  // namespace

void CChoicePlate::Load(CDisplay& display) {
  for (int i = 0; i < kLayouts; ++i) {
    layouts[i].reset();
    const std::string path =
        i == 0 ? std::string("system\\window\\select.scn") : Numbered("system\\window\\select%d.scn", i);
    if (!CPackArchive::Instance().Exists(path)) continue;
    layouts[i] = std::make_unique<CLayout>();
    layouts[i]->Load(display, path);
  }
}

const CLayout& CChoicePlate::LayoutFor(size_t count) const {
  static const CLayout kEmpty;
  if (count < kLayouts && layouts[count]) return *layouts[count];
  return layouts[0] ? *layouts[0] : kEmpty;
}

void CChoicePlate::Update(int32_t ticks, bool active, size_t count) {
  if (active && !wasActive && count != shownCount) {
    // Another plate replaces the one that may still be fading out: both places are redrawn.
    if (level.IsOpen()) CurrentLayout().Invalidate();
    shownCount = count;
    if (level.IsOpen()) CurrentLayout().Invalidate();
  }
  wasActive = active;
  if (level.Update(active, ticks, false, settings::WindowTime())) CurrentLayout().Invalidate();
}

int32_t CChoicePlate::FirstRowTop(const SRect& area, size_t count, int32_t pitch) const {
  return static_cast<int32_t>((area.top + area.bottom - static_cast<int64_t>(pitch) * count) / 2);
}

int CChoicePlate::RowAt(size_t count, int32_t pitch, int32_t x, int32_t y) const {
  const SRect area = LayoutFor(count).GetControlRect("選択肢");
  if (area.IsEmpty() || pitch <= 0 || x < area.left || x >= area.right) return -1;
  const int32_t top = FirstRowTop(area, count, pitch);
  if (y < top) return -1;
  const int64_t row = (static_cast<int64_t>(y) - top) / pitch;
  return row < static_cast<int64_t>(count) ? static_cast<int>(row) : -1;
}

void CChoicePlate::Draw(CDisplay& display, const std::vector<SChoice>& choices, int hover, CTextFont& font,
                        int32_t pitch, const ReadCheck& isRead) const {
  if (!level.IsOpen()) return;
  const CLayout& layout = CurrentLayout();
  const float opacity = level.Opacity(settings::WindowTime());
  layout.Draw("", opacity);
  for (size_t i = 0; i < choices.size(); ++i)
    layout.Draw(Numbered(static_cast<int>(i) == hover ? "ウィンドウ%d(選択)" : "ウィンドウ%d(非選択)", i),
                opacity);
  if (level.IsFull(settings::WindowTime())) DrawRows(display, choices, hover, font, pitch, isRead);
}

void CChoicePlate::DrawRows(CDisplay& display, const std::vector<SChoice>& choices, int hover,
                            CTextFont& font, int32_t pitch, const ReadCheck& isRead) const {
  const CLayout& layout = CurrentLayout();
  const SRect area = layout.GetControlRect("選択肢");
  const int32_t top = FirstRowTop(area, choices.size(), pitch);
  const SDrawTarget screen = SDrawTarget::Screen(display);
  for (size_t i = 0; i < choices.size(); ++i) {
    const int32_t rowTop = top + static_cast<int32_t>(i) * pitch;
    if (static_cast<int>(i) == hover) CHighlightBar::Draw(screen, area.left, rowTop, area.Width(), pitch);
    const uint32_t colour = isRead(choices[i]) ? settings::ReadChoiceColor() : settings::FontColor();
    const int32_t width = font.TextWidth(choices[i].text);
    font.DrawText((area.left + area.right - width) / 2, rowTop + (pitch - font.Size()) / 2, choices[i].text,
                  colour);
    const SRect own = layout.GetControlRect(Numbered("選択肢%d", i));
    if (!own.IsEmpty())
      font.DrawText((own.left + own.right - width) / 2, (own.top + own.bottom - font.Size()) / 2,
                    choices[i].text, colour);
  }
}

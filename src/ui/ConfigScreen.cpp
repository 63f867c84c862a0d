#include "ui/ConfigScreen.h"

#include <cstdlib>
#include <string_view>

#include "gfx/Display.h"
#include "persist/Settings.h"
#include "platform/VirtualKeys.h"
#include "ui/ConfigHost.h"
#include "ui/MenuLayer.h"

namespace {

constexpr const char* kNameKeyword = "主人公の名前";
constexpr const char* kReset = "初期化";
constexpr const char* kButtons[] = {"戻る", "名前入力", "ボイス分類", "フォント", "初期化"};

std::string PageButton(int page) { return "ページ" + std::to_string(page); }

SPoint Centre(const SRect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

const std::array<const char*, 3>& Labels(int item) { return CPlayerConfig::Labels(item); }

}  // namespace

CConfigScreen::CConfigScreen(IConfigHost& host, CDisplay& display, CMenuLayer& menu)
    : host(host), display(display), menu(menu), items(host) {}

std::string CConfigScreen::PagePath(int page) {
  return page == 0 ? "system\\config\\bg.scn" : "system\\config\\bg" + std::to_string(page) + ".scn";
}

void CConfigScreen::Enter() {
  dragged = -1;
  ShowPage(0);
}

void CConfigScreen::Leave() {
  Release();
  layout = CLayout();
}

void CConfigScreen::ShowPage(int next) {
  page = next;
  layout = CLayout();
  layout.Load(display, PagePath(next));
  display.MarkAllDirty();
}

void CConfigScreen::Update(int32_t) {
  // Hover feedback follows the cursor: the buttons are redrawn in every frame.
  for (const char* name : kButtons) display.MarkDirty(layout.GetControlRect(name));
  for (int n = 0; n < kPages; ++n) display.MarkDirty(layout.GetControlRect(PageButton(n)));
}

void CConfigScreen::Draw(float opacity, bool fullyOpen, int32_t cursorX, int32_t cursorY) {
  layout.Draw("", opacity);
  if (!fullyOpen) return;
  DrawItems();
  if (cursorX < 0) return;
  auto hover = [&](const std::string& name) {
    if (layout.GetControlRect(name).Contains(cursorX, cursorY)) layout.Draw(name);
  };
  for (const char* name : kButtons) hover(name);
  for (int n = 0; n < kPages; ++n) hover(PageButton(n));
}

void CConfigScreen::DrawItems() const {
  for (int item = 0; item < CConfigItems::kItems; ++item) {
    if (CConfigItems::IsSlider(item))
      layout.Draw(Labels(item)[0], 1.0f, 0, items.SliderPosition(item));
    else if (!CConfigItems::IsButton(item))
      layout.Draw(Labels(item)[items.CurrentLabel(item)]);
  }
}

int CConfigScreen::ItemAt(int32_t x, int32_t y) const {
  for (int item = 0; item < CConfigItems::kItems; ++item) {
    for (const char* label : Labels(item)) {
      if (!label) continue;
      const SRect r = layout.GetControlRect(label);
      // The keys place the cursor on a control's centre; a scaled window may give it back a pixel off.
      if (!r.IsEmpty() && std::abs(Centre(r).y - y) <= 1 && x >= r.left && x < r.right) return item;
    }
  }
  return -1;
}

void CConfigScreen::MarkItem(int item) const {
  if (item == CPlayerConfig::kScreenMode) return display.MarkAllDirty();
  auto mark = [this](int marked) {
    for (const char* label : Labels(marked))
      if (label) display.MarkDirty(layout.GetControlRect(label));
  };
  mark(item);
  // The three steps and the slider show the same text speed.
  if (item == CPlayerConfig::kTextSpeedStep) mark(CPlayerConfig::kTextSpeed);
  if (item == CPlayerConfig::kTextSpeed) mark(CPlayerConfig::kTextSpeedStep);
}

void CConfigScreen::OnMouseMove(int32_t x, int32_t) {
  if (dragged < 0) return;
  const char* label = Labels(dragged)[0];
  int knobWidth = 0, knobHeight = 0;
  layout.GetImageSize(label, knobWidth, knobHeight);
  items.SetSliderAt(dragged, x, layout.GetControlRect(label), knobWidth);
  MarkItem(dragged);
}

void CConfigScreen::OnLButtonDown(int32_t x, int32_t y) {
  if (!menu.IsScreenFullyOpen()) return;
  ClickLabel(x, y);
  for (int n = 0; n < kPages; ++n) {
    if (!layout.GetControlRect(PageButton(n)).Contains(x, y)) continue;
    ShowPage(n);
    break;
  }
  ActAt(x, y);
}

void CConfigScreen::ClickLabel(int32_t x, int32_t y) {
  for (int item = 0; item < CConfigItems::kItems; ++item) {
    const auto& labels = Labels(item);
    for (int index = 0; index < 3; ++index) {
      if (!labels[index] || !layout.GetControlRect(labels[index]).Contains(x, y)) continue;
      if (CConfigItems::IsSlider(item)) {
        dragged = item;
        host.SetCapture(true);
        OnMouseMove(x, y);
      } else {
        items.ChooseLabel(item, index);
        MarkItem(item);
      }
      return;
    }
  }
}

void CConfigScreen::OnLButtonUp(int32_t, int32_t) { Release(); }

void CConfigScreen::Release() {
  if (dragged < 0) return;
  dragged = -1;
  host.SetCapture(false);
}

bool CConfigScreen::OnCancel() {
  if (dragged < 0) return false;
  Release();
  return true;
}

void CConfigScreen::OnKeyDown(uint32_t key, bool firstPress) {
  if (dragged >= 0 || !menu.IsScreenFullyOpen()) return;
  const SPoint cursor = host.GetCursorPos();
  if (key == vk::kUp || key == vk::kDown) return MoveToItem(key == vk::kUp ? -1 : 1);
  if (key == vk::kLeft || key == vk::kRight) {
    const int item = ItemAt(cursor.x, cursor.y);
    if (item < 0) return;
    items.Step(item, key == vk::kLeft ? -1 : 1, layout);
    MarkItem(item);
    return MoveCursorTo(item);
  }
  if (!firstPress) return;
  if (key == vk::kPrior || key == vk::kNext) {
    const int next = page + (key == vk::kPrior ? -1 : 1);
    if (next >= 0 && next < kPages && host.FileExists(PagePath(next))) ShowPage(next);
  } else if (key == vk::kReturn || key == vk::kSpace) {
    ActAt(cursor.x, cursor.y);
  }
}

void CConfigScreen::MoveToItem(int direction) {
  const SPoint cursor = host.GetCursorPos();
  std::vector<std::string> firstLabels;
  for (int item = 0; item < CConfigItems::kItems; ++item) firstLabels.emplace_back(Labels(item)[0]);
  const int next = layout.NextControl(firstLabels, ItemAt(cursor.x, cursor.y), direction);
  if (next >= 0) MoveCursorTo(next);
}

void CConfigScreen::MoveCursorTo(int item) {
  const auto& labels = Labels(item);
  const bool single = CConfigItems::IsSlider(item) || CConfigItems::IsButton(item);
  SRect target = layout.GetControlRect(labels[single ? 0 : items.CurrentLabel(item)]);
  // A value whose label the page lacks: the item's first control that is there.
  for (int index = 0; target.IsEmpty() && index < 3 && labels[index]; ++index)
    target = layout.GetControlRect(labels[index]);
  if (target.IsEmpty()) return;
  const SPoint centre = Centre(target);
  host.SetCursorPos(centre.x, centre.y);
  MarkItem(item);
}

void CConfigScreen::OnConfirm() {
  const SPoint cursor = host.GetCursorPos();
  ActAt(cursor.x, cursor.y);
}

void CConfigScreen::ActAt(int32_t x, int32_t y) {
  auto on = [&](std::string_view name) { return layout.GetControlRect(name).Contains(x, y); };
  if (on("名前入力")) return EditName();
  if (on("ボイス分類")) return ChooseVoices();
  if (on("フォント")) return ChooseFont();
  if (on(kReset)) return menu.Ask("設定を初期化しますか？");
  if (on("戻る")) menu.OnCancel();
}

void CConfigScreen::OnPromptYes() { Reset(); }

void CConfigScreen::Reset() {
  CPlayerConfig& config = settings::Config();
  const int screenMode = config.Value(CPlayerConfig::kScreenMode);
  settings::ResetConfig();
  host.ResetKeywords();
  config.SetValue(CPlayerConfig::kScreenMode, screenMode);
  // Only the switches this page offers to turn off go back off.
  for (int item = CConfigItems::kFirstSwitch; item < CConfigItems::kItems; ++item)
    if (layout.FindControl(Labels(item)[0]) >= 0) host.SetVariable(CConfigItems::SwitchVariable(item), 0);
  settings::SetFontName(settings::DefaultFontName());
  config.SetVoiceMask(0xFFFFFFFFu);
  host.RecreateFonts();
  for (int channel = 0; channel < 5; ++channel) host.SetChannelVolume(channel, config.ChannelVolume(channel));
  display.MarkAllDirty();
}

void CConfigScreen::EditName() {
  const int limit = std::max(1, std::atoi(settings::GetSetting("名前入力上限", "8").c_str()));
  const size_t maxBytes = static_cast<size_t>(limit);
  host.OpenTextInput("名前", "名前を入力してください", settings::Keywords().Get(kNameKeyword), maxBytes,
                     false, [this, maxBytes](bool ok, const std::string& text) {
                       // Cancel keeps the name; an empty or overlong one is never taken.
                       if (ok && !text.empty() && text.size() <= maxBytes)
                         host.SetKeyword(kNameKeyword, text);
                     });
}

void CConfigScreen::ChooseVoices() {
  std::vector<std::string> names;
  for (const settings::SVoiceCategory& category : settings::VoiceCategories()) {
    if (category.name.empty()) break;
    names.push_back(category.name);
  }
  host.OpenVoiceCategories(names, settings::Config().VoiceMask(), [](bool ok, uint32_t mask) {
    if (ok) settings::Config().SetVoiceMask(mask);
  });
}

void CConfigScreen::ChooseFont() {
  host.OpenFontChoice(settings::FontName(), [this](bool ok, const std::string& face) {
    if (!ok || face.empty()) return;
    settings::SetFontName(face);
    host.RecreateFonts();
    display.MarkAllDirty();
  });
}

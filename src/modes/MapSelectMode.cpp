#include "modes/MapSelectMode.h"

#include <string>
#include <utility>

#include "app/GameSystem.h"
#include "app/ScriptHostAdapter.h"
#include "audio/SoundSystem.h"
#include "platform/VirtualKeys.h"
#include "script/ScriptRunner.h"

namespace {

std::string Numbered(const char* prefix, int32_t number) { return prefix + std::to_string(number); }

}  // namespace

CMapSelectMode::CMapSelectMode(CGameSystem& g) : CScreenMode(g) {
  layout.Load(game.Display(), "system\\MapSelect\\bg.scn");
  const std::array<bool, kEntries> active = ActiveEntries();
  for (int32_t i = 0; i < kEntries && selected == kNone; ++i)
    if (active[static_cast<size_t>(i)]) selected = i;
  // The screen takes over in the middle of a frame whose update it does not see.
  game.Display().MarkAllDirty();
}

CMapSelectMode::~CMapSelectMode() { game.ScriptHost().ClearMapAnswers(); }

std::array<bool, CMapSelectMode::kEntries> CMapSelectMode::ActiveEntries() const {
  std::array<bool, kEntries> active{};
  const auto& answers = game.ScriptHost().MapAnswers();
  for (size_t i = 0; i < active.size(); ++i) active[i] = !answers[i].label.empty();
  return active;
}

int32_t CMapSelectMode::Step(const std::array<bool, kEntries>& active, int32_t current, int32_t step) {
  if (current < 0 || current >= kEntries) return kNone;
  int32_t next = current;
  for (int32_t tries = 0; tries < kEntries; ++tries) {
    next = (next + step + kEntries) % kEntries;
    if (active[static_cast<size_t>(next)]) return next;
  }
  return current;
}

int CMapSelectMode::Update(int32_t, int32_t x, int32_t y) {
  game.Display().MarkAllDirty();
  // Without an answer there is nothing to choose: the script goes on instead of waiting forever.
  if (selected == kNone) return 0;
  const std::array<bool, kEntries> active = ActiveEntries();
  for (int32_t i = 0; i < kEntries; ++i)
    if (active[static_cast<size_t>(i)] && layout.GetControlRect(Numbered("選択:", i)).Contains(x, y))
      selected = i;
  if (input & (kLeft | kUp)) selected = Step(active, selected, -1);
  if (input & (kRight | kDown)) selected = Step(active, selected, 1);
  if (input & kDecide) {
    Decide();
    return 0;
  }
  input = 0;
  return 1;
}

void CMapSelectMode::Decide() {
  const std::string label = game.ScriptHost().MapAnswers()[static_cast<size_t>(selected)].label;
  game.SaveGame(-2);
  game.Sound().PlaySystemSound("決定SE");
  game.Script().JumpToLabel(label);
}

int CMapSelectMode::OnKeyDown(uint32_t key, uint32_t, uint32_t) {
  static constexpr std::array<std::pair<uint32_t, uint32_t>, 5> kKeys{
      {{vk::kReturn, kDecide}, {vk::kLeft, kLeft}, {vk::kRight, kRight}, {vk::kUp, kUp}, {vk::kDown, kDown}}};
  for (const auto& [code, bit] : kKeys) {
    if (code != key) continue;
    input |= bit;
    return 1;
  }
  return 0;
}

void CMapSelectMode::OnLButtonDown(uint32_t, int32_t, int32_t) { input |= kDecide; }

void CMapSelectMode::Draw(int32_t, int32_t) {
  layout.Draw("");
  const std::array<bool, kEntries> active = ActiveEntries();
  for (int32_t i = 0; i < kEntries; ++i)
    if (active[static_cast<size_t>(i)]) layout.Draw(Numbered("非選択:", i));
  if (selected == kNone) return;
  layout.Draw(Numbered("選択:", selected));
  const int32_t person = game.ScriptHost().MapAnswers()[static_cast<size_t>(selected)].person;
  if (person != -1) layout.Draw(Numbered("人物:", person));
}

#include "modes/TitleMode.h"

#include <algorithm>
#include <string>

#include "app/GameSystem.h"
#include "audio/SoundSystem.h"
#include "io/Path.h"
#include "modes/BlackFade.h"
#include "modes/TitleMenu.h"
#include "persist/Settings.h"
#include "platform/VirtualKeys.h"
#include "script/ScriptRunner.h"

CTitleMode::CTitleMode(CGameSystem& g) : CScreenMode(g), fadeTime(settings::FadeTime()) {
  CScriptRunner& script = game.Script();
  const std::string path = CTitleMenu::ChooseLayout(
      settings::Table(), [&script](std::string_view condition) { return script.Evaluate(condition, 1); });
  layout.Load(game.Display(), path);
  game.Sound().PlayMusicByKey("タイトルBGM");
}

void CTitleMode::SetPhase(int32_t next) {
  phase = next;
  counter = 0;
}

int CTitleMode::Update(int32_t delta, int32_t, int32_t) {
  if (phase == kChoosing) return 1;
  game.Display().MarkAllDirty();
  if (counter < fadeTime) {
    counter = std::min(counter + delta, fadeTime);
  } else if (phase == kFadingIn) {
    SetPhase(kChoosing);
  } else {
    Finish();
  }
  return 1;
}

void CTitleMode::Finish() {
  // Both ways out replace this object, so everything needed afterwards is copied first.
  CGameSystem& engine = game;
  if (selected == CTitleMenu::kStart) {
    const std::string script =
        ResolvePath(settings::GetSetting("開始スクリプト", "scenario\\mainScript.adv"));
    engine.StartNewGame(script, "");
    return;
  }
  const int32_t target = selected == CTitleMenu::kAlbum       ? CGameSystem::kModeAlbum
                         : selected == CTitleMenu::kFlashback ? CGameSystem::kModeFlashback
                                                              : CGameSystem::kModeMusicRoom;
  engine.SetMode(target);
  // An extras screen the engine cannot build leaves no mode object: come back to a fresh title.
  if (!engine.HasScreenMode()) engine.SetMode(CGameSystem::kModeTitle);
}

void CTitleMode::Select(int32_t item) {
  if (item == selected) return;
  CDisplay& display = game.Display();
  const std::vector<std::string>& names = CTitleMenu::ControlNames();
  if (selected >= 0) display.MarkDirty(layout.GetControlRect(names[selected]));
  if (item >= 0) display.MarkDirty(layout.GetControlRect(names[item]));
  selected = item;
}

void CTitleMode::Activate(int32_t item) {
  if (item < 0) return;
  game.Sound().PlaySystemSound("決定SE");
  switch (item) {
    case CTitleMenu::kStart:
      game.Sound().StopSound(CSoundSystem::kMusicChannel, 0);
      SetPhase(kFadingOut);
      break;
    case CTitleMenu::kContinue:
      game.SetMenuState(3);
      break;
    case CTitleMenu::kConfig:
      game.SetMenuState(4);
      break;
    case CTitleMenu::kQuit:
      game.SetMenuState(6);
      break;
    default:
      SetPhase(kFadingOut);
      break;
  }
}

void CTitleMode::OnMouseMove(uint32_t, int32_t x, int32_t y) {
  if (phase == kChoosing) Select(CTitleMenu::HitTest(layout, x, y));
}

void CTitleMode::OnLButtonDown(uint32_t, int32_t x, int32_t y) {
  if (phase == kChoosing && CTitleMenu::Contains(layout, selected, x, y)) Activate(selected);
}

int CTitleMode::OnKeyDown(uint32_t key, uint32_t, uint32_t) {
  if (phase != kChoosing) return 1;
  if (key == vk::kUp || key == vk::kDown) {
    Select(CTitleMenu::Navigate(layout, selected, key == vk::kUp ? -1 : 1));
  } else if (key == vk::kReturn || key == vk::kSpace) {
    Activate(selected);
  }
  return 1;
}

void CTitleMode::Draw(int32_t, int32_t) {
  layout.Draw("");
  if (selected >= 0) layout.Draw(CTitleMenu::ControlNames()[selected]);
  if (phase == kFadingIn) blackfade::Fill(game.Display(), blackfade::Alpha(fadeTime - counter, fadeTime));
  if (phase == kFadingOut) blackfade::Fill(game.Display(), blackfade::Alpha(counter, fadeTime));
}

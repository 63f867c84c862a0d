#include "modes/LogoMode.h"

#include <algorithm>

#include "app/GameSystem.h"
#include "modes/BlackFade.h"
#include "persist/Settings.h"

CLogoMode::CLogoMode(CGameSystem& g) : CScreenMode(g), fadeTime(settings::FadeTime()) {
  layout.Load(game.Display(), kLayoutPath);
}

std::string CLogoMode::ControlName(int32_t number) { return "ロゴ" + std::to_string(number); }

int CLogoMode::Update(int32_t delta, int32_t, int32_t) {
  game.Display().MarkAllDirty();
  if (counter < kLogoTicks) {
    counter = std::min(counter + delta, kLogoTicks);
  } else if (layout.FindControl(ControlName(logoNumber + 1)) >= 0) {
    ++logoNumber;
    counter = 0;
  } else {
    Finish();
  }
  return 1;
}

void CLogoMode::Finish() {
  // The switch deletes this mode, so nothing of it is touched afterwards.
  CGameSystem& engine = game;
  if (!engine.PlayOpeningMovie()) engine.SetMode(CGameSystem::kModeTitle);
}

void CLogoMode::OnLButtonDown(uint32_t, int32_t, int32_t) { counter = kLogoTicks; }

int CLogoMode::OnKeyDown(uint32_t, uint32_t, uint32_t) {
  counter = kLogoTicks;
  return 1;
}

void CLogoMode::Draw(int32_t, int32_t) {
  layout.Draw("");
  layout.Draw(ControlName(logoNumber));
  CDisplay& display = game.Display();
  if (counter < fadeTime) blackfade::Fill(display, blackfade::Alpha(fadeTime - counter, fadeTime));
  if (counter > kLogoTicks - fadeTime)
    blackfade::Fill(display, blackfade::Alpha(counter + fadeTime - kLogoTicks, fadeTime));
}

#include "modes/ExtrasScreen.h"

#include <algorithm>

#include "app/GameSystem.h"
#include "modes/BlackFade.h"
#include "persist/Settings.h"

CExtrasScreen::CExtrasScreen(CGameSystem& g) : CScreenMode(g), fadeTime(settings::FadeTime()) {}

bool CExtrasScreen::LoadGrid(const std::string& folder, const std::string& blank, int32_t minSlots) {
  if (!grid.Load(game.Display(), folder, blank, minSlots)) return false;
  game.Display().MarkAllDirty();
  return true;
}

void CExtrasScreen::OnMouseMove(uint32_t, int32_t x, int32_t y) {
  if (phase == kGrid) grid.OnMouseMove(x, y);
}

void CExtrasScreen::SetPhase(int32_t next) {
  phase = next;
  counter = 0;
  game.Display().MarkAllDirty();
}

bool CExtrasScreen::FadeDone(int32_t delta) {
  game.Display().MarkAllDirty();
  if (counter == fadeTime) return true;
  counter = std::min(counter + delta, fadeTime);
  return false;
}

void CExtrasScreen::DrawFades(bool fadingOut) const {
  if (phase == kFadingIn) blackfade::Fill(game.Display(), blackfade::Alpha(fadeTime - counter, fadeTime));
  if (fadingOut) blackfade::Fill(game.Display(), blackfade::Alpha(counter, fadeTime));
}

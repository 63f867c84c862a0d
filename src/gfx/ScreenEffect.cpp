#include "gfx/ScreenEffect.h"

#include <algorithm>

#include "gfx/Display.h"
#include "gfx/LayerSet.h"
#include "gfx/PictureHost.h"
#include "gfx/ScreenEffectDistortion.h"
#include "gfx/ScreenEffectOverlay.h"
#include "platform/Random.h"

CScreenEffect::CScreenEffect(IPictureHost& host, CLayerSet& layers) : host(host), layers(layers) {}

bool CScreenEffect::EffectsOff() const { return host.AreEffectsOff(); }

SEffectStrength CScreenEffect::Strength() const {
  return SEffectStrength::From(host.Mode(), host.WaitElapsed(), host.WaitLength());
}

bool CScreenEffect::DrawsWholeScene() const { return IsBlur(effect) && !EffectsOff(); }

void CScreenEffect::Start(int32_t number, int32_t newLevel, uint32_t newColour, int32_t newPlace) {
  colour = newColour;
  level = std::clamp(newLevel, 0, 2);
  place = newPlace;
  SetEffect(number);
}

void CScreenEffect::SetEffect(int32_t number) {
  if (number < kNone || number >= kEffectCount) number = kNone;
  if ((IsBlur(effect) || IsParticles(effect)) && number == effect) return;
  blur.Clear();
  particles.Clear();
  vibrationX = vibrationY = 0;
  effect = number;
  host.Display().MarkAllDirty();
  Prepare();
}

void CScreenEffect::Prepare() {
  CDisplay& display = host.Display();
  if (IsBlur(effect)) {
    // The blur starts from the layers as they look now.
    display.FillDirty(0);
    layers.DrawLayers();
    blur.Take(display);
    host.DiscardElapsedTime();
  } else if (IsParticles(effect)) {
    particles.Prepare(effect, display.Width(), display.Height(), host.Random());
  }
}

void CScreenEffect::UpdateEffect(int32_t ticks) {
  const CDisplay& display = host.Display();
  NextFrame();
  if (effect == kVibrationRand) {
    CRandom& random = host.Random();
    vibrationX = (random.Next() - 16383) * (4 << level) / 32767;
    vibrationY = (random.Next() - 16383) * (4 << level) / 32767;
  } else if (IsParticles(effect)) {
    particles.Update(effect, level, ticks, display.Width(), display.Height(), host.Random());
  }
}

void CScreenEffect::DrawOverlay() {
  if (effect == kNone) return;
  const bool alwaysDrawn =
      effect == kFade || (effect >= kWipeScrollUp && effect <= kWipeBlindRight) || effect == kWipeSpot;
  if (EffectsOff() && !alwaysDrawn) return;
  CDisplay& display = host.Display();
  const SEffectStrength strength = Strength();
  if (IsBlur(effect)) {
    if (strength.goingOut) layers.DrawLayers();
    blur.Draw(effect, level, strength, display);
    return;
  }
  CScreenEffectOverlay::Draw(effect, colour, strength, SDrawTarget::Screen(display));
}

void CScreenEffect::DrawParticles() {
  if (!IsParticles(effect) || EffectsOff()) return;
  CDisplay& display = host.Display();
  particles.Draw(effect, level, Strength().particles, SDrawTarget::Screen(display), display.Width(),
                 display.Height());
}

bool CScreenEffect::DrawDistorted(const SImageDraw& draw, const SDrawTarget& target) {
  if (EffectsOff() || draw.layer < 0 || !draw.surface) return false;
  const bool scaleWipe = effect >= kWipeScaleUp && effect <= kWipeScaleRight;
  const bool distortion = effect >= kRaster && effect <= kWarpRight;
  if (!scaleWipe && !(distortion && (place == -1 || place == draw.layer))) return false;
  CScreenEffectDistortion::SState state;
  state.effect = effect;
  state.level = level;
  state.strength = Strength();
  state.time = host.FrameTime();
  state.vibrationX = vibrationX;
  state.vibrationY = vibrationY;
  return CScreenEffectDistortion::Draw(state, draw, target);
}

#pragma once
#include <cstdint>

#include "gfx/DrawTarget.h"
#include "gfx/ImageDrawer.h"
#include "gfx/ParticleField.h"
#include "gfx/ScreenEffectBlur.h"
#include "gfx/ScreenEffectNumber.h"
#include "gfx/ScreenEffectStrength.h"

class CLayerSet;
class IPictureHost;

// The one full-screen effect the script switches on and off (SCREEN): colour fades and wipes, blurs,
// mosaic, flash and negative drawn over the layers, distortions applied while the layers' pictures are
// drawn, and particle weather drawn right after the background.
class CScreenEffect {
 public:
  using enum screeneffect::ENumber;

  CScreenEffect(IPictureHost& host, CLayerSet& layers);

  // SCREEN: stores colour (0xAARRGGBB), level (0-2) and target layer (-1 all), then SetEffect.
  void Start(int32_t number, int32_t level, uint32_t colour, int32_t place);
  // Switches to an effect and prepares its state; setting a running blur or particle effect again keeps it.
  void SetEffect(int32_t number);
  // A new frame begins: the blur takes the picture drawn last as the snapshot it blends (the update
  // does this; drawing never does, so a frame drawn twice is the same frame).
  void NextFrame() { blur.NextFrame(); }
  void UpdateEffect(int32_t ticks);
  // After all layers: fades, wipes, spot, mosaic, blurs, flash, negative.
  void DrawOverlay();
  // Right after the background layer: ripples, rain, snow, sakura.
  void DrawParticles();
  // The distortion part of the draw-image operation: draws the picture distorted and returns true, or
  // returns false when no distortion applies to it.
  bool DrawDistorted(const SImageDraw& draw, const SDrawTarget& target);

  int32_t Effect() const { return effect; }
  int32_t Level() const { return level; }
  uint32_t Colour() const { return colour; }
  int32_t Place() const { return place; }
  // A blur is drawn from its snapshot: the layers are not drawn by the scene.
  bool DrawsWholeScene() const;
  SEffectStrength Strength() const;
  const CParticleField& Particles() const { return particles; }
  CParticleField& Particles() { return particles; }
  int32_t VibrationX() const { return vibrationX; }
  int32_t VibrationY() const { return vibrationY; }

 private:
  static bool IsBlur(int32_t n) { return n >= kBlur && n <= kBlurHorz; }
  static bool IsParticles(int32_t n) { return n >= kRipple && n <= kSakura; }
  bool EffectsOff() const;
  void Prepare();

  IPictureHost& host;
  CLayerSet& layers;
  int32_t effect = kNone;
  int32_t level = 1;
  uint32_t colour = 0xFF000000;
  int32_t place = -1;
  CScreenEffectBlur blur;
  CParticleField particles;
  int32_t vibrationX = 0;
  int32_t vibrationY = 0;
};

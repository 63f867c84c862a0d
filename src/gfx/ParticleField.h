#pragma once
#include <cstdint>
#include <vector>

#include "gfx/DrawTarget.h"
#include "gfx/Surface.h"

class CRandom;

// A particle of the weather effects: position and depth (a ripple's radius).
struct SParticle {
  int32_t x = 0;
  int32_t y = 0;
  int32_t z = 0;
};

// The particles of RIPPLE, RAIN, SNOW and SAKURA: scattered when the effect starts, moved every frame
// and drawn after the background, fewer of them at lower levels.
class CParticleField {
 public:
  void Clear();
  // Scatters the particles of an effect (30-33) over a screen of w x h and loads the snow or petal image.
  void Prepare(int32_t effect, int32_t w, int32_t h, CRandom& random);
  void Update(int32_t effect, int32_t level, int32_t ticks, int32_t w, int32_t h, CRandom& random);
  // Draws trunc(count x strength) particles.
  void Draw(int32_t effect, int32_t level, double strength, const SDrawTarget& target, int32_t w,
            int32_t h) const;
  // How many particles move and are drawn at full strength at a level 0-2.
  static int32_t Count(int32_t effect, int32_t level);

  const std::vector<SParticle>& Particles() const { return particles; }
  // The particles themselves, for placing them (tests, restored scenes).
  std::vector<SParticle>& Particles() { return particles; }
  const CSurface& Image() const { return image; }

 private:
  void DrawRipple(const SParticle& p, double strength, const SDrawTarget& target, int32_t h) const;
  void DrawDrop(const SParticle& p, const SDrawTarget& target, int32_t w, int32_t h) const;
  void DrawFlake(const SParticle& p, int32_t i, bool petal, const SDrawTarget& target, int32_t w,
                 int32_t h) const;

  std::vector<SParticle> particles;
  CSurface image;
};

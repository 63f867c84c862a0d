#include "gfx/ParticleField.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "gfx/ScreenEffectNumber.h"
#include "gfx/ShapeDraw.h"
#include "io/PackArchive.h"
#include "platform/Random.h"

namespace {

using screeneffect::kRain;
using screeneffect::kRipple;
using screeneffect::kSakura;
using screeneffect::kSnow;

constexpr double kPi = std::numbers::pi;
constexpr int32_t kRipples = 20;
constexpr int32_t kDrops = 100;
constexpr int kRingPoints = 33;

// rand() * range / divisor in 64 bits.
int32_t Scatter(CRandom& random, int64_t range, int64_t divisor) {
  return static_cast<int32_t>(random.Next() * range / divisor);
}

// The image of the snow or petal effect: the PNG when it exists, else the TIM2.
void LoadParticleImage(CSurface& image, const char* name) {
  const std::string png = std::string("system\\particle\\") + name + ".png";
  image.Load(CPackArchive::Instance().Exists(png) ? png : std::string("system\\particle\\") + name + ".TM2",
             1.0f);
}

}  // namespace

void CParticleField::Clear() {
  particles.clear();
  image.Clear();
}

void CParticleField::Prepare(int32_t effect, int32_t w, int32_t h, CRandom& random) {
  Clear();
  if (effect == kRipple) {
    particles.resize(kRipples);
    for (SParticle& p : particles) {
      p.x = Scatter(random, w, 32767);
      p.y = Scatter(random, h, 32767);
      p.z = Scatter(random, h, 65534);
    }
    return;
  }
  if (effect < kRain || effect > kSakura) return;
  particles.resize(kDrops);
  for (SParticle& p : particles) {
    p.x = Scatter(random, w, 32767);
    p.y = Scatter(random, int64_t{h} * -3, 65534);
    p.z = Scatter(random, w, 32767);
  }
  if (effect == kSnow) LoadParticleImage(image, "snow");
  if (effect == kSakura) LoadParticleImage(image, "sakura");
}

int32_t CParticleField::Count(int32_t effect, int32_t level) {
  const int32_t below = 2 - std::clamp(level, 0, 2);
  if (effect == kRipple) return kRipples >> below;
  return effect >= kRain && effect <= kSakura ? kDrops >> (2 * below) : 0;
}

void CParticleField::Update(int32_t effect, int32_t level, int32_t ticks, int32_t w, int32_t h,
                            CRandom& random) {
  const int32_t n = std::min<int32_t>(Count(effect, level), static_cast<int32_t>(particles.size()));
  // Fall per tick, the line at which a particle starts again above the screen, and how far up it goes.
  const int32_t fall = effect == kRain ? 40 : effect == kSnow ? 2 : 1;
  const int32_t bottom = effect == kRain ? h + 128 : h;
  const int32_t rise = effect == kRain ? 3 * h / 2 + 256 : 3 * h / 2;
  for (int32_t i = 0; i < n; ++i) {
    SParticle& p = particles[static_cast<size_t>(i)];
    if (effect == kRipple) {
      p.z += ticks;
      if (p.z < h / 2) continue;
      p.x = Scatter(random, w, 32767);
      p.y = Scatter(random, h, 32767);
      p.z -= h / 2;
      continue;
    }
    p.y += fall * ticks;
    if (p.y < bottom) continue;
    p.x = Scatter(random, w, 32767);
    p.y -= rise;
    p.z = Scatter(random, w, 32767);
  }
}

void CParticleField::Draw(int32_t effect, int32_t level, double strength, const SDrawTarget& target,
                          int32_t w, int32_t h) const {
  const int32_t n = std::min<int32_t>(static_cast<int32_t>(Count(effect, level) * strength),
                                      static_cast<int32_t>(particles.size()));
  for (int32_t i = 0; i < n; ++i) {
    const SParticle& p = particles[static_cast<size_t>(i)];
    if (effect == kRipple) DrawRipple(p, strength, target, h);
    if (effect == kRain) DrawDrop(p, target, w, h);
    if (effect == kSnow || effect == kSakura) DrawFlake(p, i, effect == kSakura, target, w, h);
  }
}

void CParticleField::DrawRipple(const SParticle& p, double strength, const SDrawTarget& target,
                                int32_t h) const {
  const int32_t a = static_cast<int32_t>((strength - p.z / static_cast<double>(std::max(1, h / 2))) * 128);
  if (a <= 0) return;
  shapes::SColorVertex ring[3 * kRingPoints];
  for (int k = 0; k < kRingPoints; ++k) {
    const double angle = k * kPi / 16;
    const int32_t lit = static_cast<int32_t>(a * std::sin((k + 20) * kPi / 16));
    // The inner rim fades to white and the outer to black on the lit side, the reverse on the other.
    const uint32_t inner = lit >= 0 ? 0x00FFFFFFu : 0u;
    const uint32_t outer = lit >= 0 ? 0u : 0x00FFFFFFu;
    const uint32_t middle = 0xC0C0C0u | static_cast<uint32_t>(std::min(255, std::abs(lit))) << 24;
    const uint32_t colours[3] = {inner, middle, outer};
    for (int r = 0; r < 3; ++r) {
      const double radius = p.z + (r - 1) * 12.0;
      ring[r * kRingPoints + k] = {static_cast<float>(p.x + std::cos(angle) * radius),
                                   static_cast<float>(p.y - std::sin(angle) * radius), colours[r]};
    }
  }
  shapes::DrawShadedGrid(target, ring, kRingPoints, 3);
}

void CParticleField::DrawDrop(const SParticle& p, const SDrawTarget& target, int32_t w, int32_t h) const {
  const double m = static_cast<double>(w) / (static_cast<double>(w) + p.z);
  const uint32_t middle = 0xFFFFFFu | static_cast<uint32_t>(std::clamp(static_cast<int32_t>(128 * m), 0, 255))
                                          << 24;
  const double half = h / 2;
  shapes::SColorVertex drop[6];
  for (int r = 0; r < 3; ++r) {
    const float y = static_cast<float>(half + m * (p.y - half + (r - 1) * 128.0));
    const uint32_t colour = r == 1 ? middle : 0x00FFFFFFu;
    drop[r * 2] = {static_cast<float>(p.x - 1), y, colour};
    drop[r * 2 + 1] = {static_cast<float>(p.x + 1), y, colour};
  }
  shapes::DrawShadedGrid(target, drop, 2, 3);
}

void CParticleField::DrawFlake(const SParticle& p, int32_t i, bool petal, const SDrawTarget& target,
                               int32_t w, int32_t h) const {
  const double m = static_cast<double>(w) / (static_cast<double>(p.z) + w / 2);
  const int32_t phase = p.y + 8 * i;
  const double sway = petal ? m * 16 * std::sin(6 * kPi * phase / h) : m * 4 * std::sin(phase * 3 * kPi / h);
  const double cx = sway + p.x;
  const double cy = m * (p.y - h / 2) + h / 2;
  const double half = (petal ? 8 : 4) * m;
  const int32_t cell = phase & 255;
  const int32_t sx = petal ? (cell & 15) * 16 : 0;
  const int32_t sy = petal ? (cell / 16) * 16 : 0;
  const int32_t size = petal ? 16 : 32;
  image.DrawStretched(target, static_cast<float>(cx - half), static_cast<float>(cy - half),
                      static_cast<float>(cx + half), static_cast<float>(cy + half), sx, sy, sx + size,
                      sy + size, 0xFFFFFFFF, false);
}

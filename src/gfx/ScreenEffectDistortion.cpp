#include "gfx/ScreenEffectDistortion.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "gfx/ScreenEffectNumber.h"
#include "gfx/Surface.h"
#include "gfx/TexturedMesh.h"

namespace {

using namespace screeneffect;

constexpr double kPi = std::numbers::pi;

// The picture's corner at fractions (fx, fy) of its destination and source rectangles.
STexVertex Corner(const SImageDraw& d, double fx, double fy) {
  return {d.x0 + (static_cast<double>(d.x1) - d.x0) * fx, d.y0 + (static_cast<double>(d.y1) - d.y0) * fy,
          d.sx0 + (static_cast<double>(d.sx1) - d.sx0) * fx,
          d.sy0 + (static_cast<double>(d.sy1) - d.sy0) * fy};
}

// A grid of columns x rows vertices spread evenly over the picture.
std::vector<STexVertex> Grid(const SImageDraw& d, int columns, int rows) {
  std::vector<STexVertex> grid;
  grid.reserve(static_cast<size_t>(columns) * rows);
  for (int j = 0; j < rows; ++j)
    for (int i = 0; i < columns; ++i)
      grid.push_back(Corner(d, double(i) / (columns - 1), double(j) / (rows - 1)));
  return grid;
}

void Rotate(STexVertex& v, double cx, double cy, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  const double dx = v.x - cx, dy = v.y - cy;
  v.x = cx + dx * c - dy * s;
  v.y = cy + dx * s + dy * c;
}

}  // namespace

bool CScreenEffectDistortion::Draw(const SState& state, const SImageDraw& draw, const SDrawTarget& target) {
  switch (state.effect) {
    case kWipeScaleUp:
    case kWipeScaleDown:
    case kWipeScaleLeft:
    case kWipeScaleRight:
      DrawSqueezed(state, draw, target);
      return true;
    case kRaster:
      DrawRaster(state, draw, target);
      return true;
    case kHaze:
      DrawHaze(state, draw, target);
      return true;
    case kVibrationHorz:
    case kVibrationVert:
    case kVibrationRand:
      DrawShaken(state, draw, target);
      return true;
    case kRotateLeft:
    case kRotateRight:
      DrawRotated(state, draw, target);
      return true;
    case kWarpLeft:
    case kWarpRight:
      DrawWarped(state, draw, target);
      return true;
    default:
      return false;
  }
}

void CScreenEffectDistortion::DrawSqueezed(const SState& state, const SImageDraw& draw,
                                           const SDrawTarget& target) {
  const bool vertical = state.effect == kWipeScaleUp || state.effect == kWipeScaleDown;
  const int32_t size = vertical ? target.height : target.width;
  if (size <= 0) return;
  const int32_t cut = static_cast<int32_t>((state.effect == kWipeScaleUp || state.effect == kWipeScaleLeft
                                                ? 1 - state.strength.squeeze
                                                : state.strength.squeeze) *
                                           size);
  // UP and LEFT keep the start of the screen while coming in; DOWN and RIGHT the end.
  const bool keepsStart =
      (state.effect == kWipeScaleUp || state.effect == kWipeScaleLeft) != state.strength.goingOut;
  const double from = keepsStart ? 0 : cut;
  const double to = keepsStart ? cut : size;
  SImageDraw squeezed = draw;
  float& a = vertical ? squeezed.y0 : squeezed.x0;
  float& b = vertical ? squeezed.y1 : squeezed.x1;
  a = static_cast<float>(from + (to - from) * a / size);
  b = static_cast<float>(from + (to - from) * b / size);
  DrawImagePlain(squeezed, target);
}

void CScreenEffectDistortion::DrawRaster(const SState& state, const SImageDraw& draw,
                                         const SDrawTarget& target) {
  constexpr int kRows = 33;
  std::vector<STexVertex> grid = Grid(draw, 2, kRows);
  const double amplitude = (2 << state.level) * state.strength.distortion;
  for (int j = 0; j < kRows; ++j) {
    const double shift = std::sin((state.time + 4 * grid[j * 2].y) * kPi / target.height) * amplitude;
    grid[j * 2].x += shift;
    grid[j * 2 + 1].x += shift;
  }
  CTexturedMesh::DrawGrid(*draw.surface, target, grid.data(), 2, kRows, draw.colour);
}

void CScreenEffectDistortion::DrawHaze(const SState& state, const SImageDraw& draw,
                                       const SDrawTarget& target) {
  constexpr int kSide = 9;
  std::vector<STexVertex> grid = Grid(draw, kSide, kSide);
  const double amplitude = (1 << state.level) * state.strength.distortion;
  for (int j = 1; j + 1 < kSide; ++j) {
    for (int i = 1; i + 1 < kSide; ++i) {
      STexVertex& v = grid[j * kSide + i];
      const double x = v.x, y = v.y;
      v.x += std::sin((state.time + 2 * y) * kPi / target.height) * amplitude;
      v.y += std::sin((state.time + 2 * x) * kPi / target.height) * amplitude;
    }
  }
  CTexturedMesh::DrawGrid(*draw.surface, target, grid.data(), kSide, kSide, draw.colour);
}

void CScreenEffectDistortion::DrawShaken(const SState& state, const SImageDraw& draw,
                                         const SDrawTarget& target) {
  const double s = state.strength.distortion;
  double dx = 0, dy = 0;
  if (state.effect == kVibrationRand) {
    dx = state.vibrationX * s;
    dy = state.vibrationY * s;
  } else {
    const double shake = std::sin(static_cast<double>(state.time / 10)) * (2 << state.level) * s;
    (state.effect == kVibrationHorz ? dx : dy) = shake;
  }
  SImageDraw shaken = draw;
  shaken.x0 = static_cast<float>(shaken.x0 + dx);
  shaken.x1 = static_cast<float>(shaken.x1 + dx);
  shaken.y0 = static_cast<float>(shaken.y0 + dy);
  shaken.y1 = static_cast<float>(shaken.y1 + dy);
  DrawImagePlain(shaken, target);
}

void CScreenEffectDistortion::DrawRotated(const SState& state, const SImageDraw& draw,
                                          const SDrawTarget& target) {
  double angle = state.strength.distortion * (1 << state.level) * kPi / 4;
  if (state.effect == kRotateLeft) angle = -angle;
  std::vector<STexVertex> corners = Grid(draw, 2, 2);
  for (STexVertex& v : corners) Rotate(v, target.width / 2, target.height / 2, angle);
  CTexturedMesh::DrawGrid(*draw.surface, target, corners.data(), 2, 2, draw.colour);
}

void CScreenEffectDistortion::DrawWarped(const SState& state, const SImageDraw& draw,
                                         const SDrawTarget& target) {
  constexpr int kSide = 33;
  const double w = target.width, h = target.height;
  const double left = std::min(draw.x0, draw.x1), right = std::max(draw.x0, draw.x1);
  const double top = std::min(draw.y0, draw.y1), bottom = std::max(draw.y0, draw.y1);
  if (!(right > left) || !(bottom > top) || w <= 0 || h <= 0) return;
  double strength = state.strength.distortion * (4 << state.level) * kPi / (w * w * h * h);
  if (state.effect == kWarpLeft) strength = -strength;
  std::vector<STexVertex> grid(kSide * kSide);
  for (int j = 0; j < kSide; ++j) {
    for (int i = 0; i < kSide; ++i) {
      // Screen points clamped to the picture, with the texture position found there.
      const double x = std::clamp(i * w / 32, left, right), y = std::clamp(j * h / 32, top, bottom);
      STexVertex v = Corner(draw, (x - draw.x0) / (static_cast<double>(draw.x1) - draw.x0),
                            (y - draw.y0) / (static_cast<double>(draw.y1) - draw.y0));
      Rotate(v, w / 2, h / 2, strength * x * (w - x) * y * (h - y));
      grid[static_cast<size_t>(j * kSide + i)] = v;
    }
  }
  CTexturedMesh::DrawGrid(*draw.surface, target, grid.data(), kSide, kSide, draw.colour);
}

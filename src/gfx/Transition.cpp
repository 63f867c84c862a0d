#include "gfx/Transition.h"

#include <algorithm>
#include <utility>

#include "gfx/ClipWindow.h"

namespace {

// The first-named transition of each left/right or up/down pair.
bool IsFirstOfPair(int32_t number) {
  return number == CTransition::kMoveLeft || number == CTransition::kTrailLeft ||
         number == CTransition::kScrollUp || number == CTransition::kScrollLeft;
}

}  // namespace

void CTransition::Start(int32_t transition, int32_t ticks) {
  number = transition;
  elapsed = 0;
  duration = std::max(0, ticks);
}

bool CTransition::Advance(int32_t ticks) {
  if (number == kNone) return false;
  elapsed = static_cast<int32_t>(std::min<int64_t>(int64_t{elapsed} + std::max(0, ticks), duration));
  return elapsed >= duration;
}

double CTransition::Progress() const {
  if (elapsed <= 1) return 0;
  return std::min(1.0, (elapsed - 1.0) / std::max(duration - 1, 1));
}

double CTransition::Squeeze() const {
  return duration > 0 ? std::min(1.0, static_cast<double>(elapsed) / duration) : 1.0;
}

int32_t CTransition::Direction(int32_t which) const { return (which == 1) == IsFirstOfPair(number) ? 1 : -1; }

CTransition::SPlacement CTransition::Place(int32_t which, bool otherPresent, int32_t screenW,
                                           int32_t screenH) const {
  const double e = Progress();
  const double h = which == 0 ? e : 1 - e;
  const double m = otherPresent ? std::min(1.0, 2 - 2 * h) : 1 - h;
  const int32_t alpha = static_cast<int32_t>(255 * m);
  const double dir = Direction(which);
  switch (number) {
    case kFade:
      return {0, 0, alpha};
    case kMoveLeft:
    case kMoveRight:
      return {static_cast<int32_t>(dir * screenW * h), static_cast<int32_t>(-screenH * h * (1 - h)), alpha};
    case kScrollUp:
    case kScrollDown:
      return {0, static_cast<int32_t>(dir * screenH * h), alpha};
    case kScrollLeft:
    case kScrollRight:
      return {static_cast<int32_t>(dir * screenW * h), 0, alpha};
    default:
      return {0, 0, 255};
  }
}

std::vector<CTransition::SPlacement> CTransition::TrailCopies(int32_t which, int32_t waitElapsed,
                                                              int32_t waitLength, int32_t screenW) const {
  // Without a mode timer (the transition runs asynchronously) the layer's own counters drive it.
  if (waitLength <= 0) {
    waitElapsed = elapsed;
    waitLength = duration;
  }
  if (waitLength <= 0) return {{0, 0, 255}};
  static constexpr int32_t kDelays[4] = {6, 4, 2, 0};
  std::vector<SPlacement> copies;
  for (int k = 0; k < 4; ++k) {
    int64_t u = int64_t{waitElapsed} - kDelays[k];
    if (u < 0) continue;
    if (which == 1) u = waitLength - u;
    const int64_t x = u * screenW * Direction(which) / waitLength;
    copies.push_back({static_cast<int32_t>(x), 0, 255 * (k + 1) / 4});
  }
  return copies;
}

bool CTransition::DrawShape(const SImageDraw& draw, const SDrawTarget& target, int32_t screenW,
                            int32_t screenH) const {
  if (number >= kScaleUp && number <= kScaleRight) {
    DrawSqueezed(draw, target, screenW, screenH);
    return true;
  }
  if (number >= kBlindUp && number <= kBlindRight) {
    DrawBlinds(draw, target, screenW, screenH);
    return true;
  }
  return false;
}

void CTransition::DrawSqueezed(const SImageDraw& draw, const SDrawTarget& target, int32_t screenW,
                               int32_t screenH) const {
  const bool vertical = number == kScaleUp || number == kScaleDown;
  const int32_t size = vertical ? screenH : screenW;
  if (size <= 0) return;
  const double d = Squeeze();
  // UP and LEFT push the previous picture towards the start, DOWN and RIGHT towards the end.
  const bool towardsStart = number == kScaleUp || number == kScaleLeft;
  const int32_t cut = static_cast<int32_t>((towardsStart ? 1 - d : d) * size);
  const bool first = (draw.which == 0) == towardsStart;
  const double from = first ? 0 : cut;
  const double to = first ? cut : size;
  SImageDraw squeezed = draw;
  float& a = vertical ? squeezed.y0 : squeezed.x0;
  float& b = vertical ? squeezed.y1 : squeezed.x1;
  a = static_cast<float>(from + a * (to - from) / size);
  b = static_cast<float>(from + b * (to - from) / size);
  DrawImagePlain(squeezed, target);
}

std::pair<int32_t, int32_t> CTransition::BlindStrip(int32_t i, int32_t length, double progress, bool leading,
                                                    bool reversed) {
  const int32_t start = i * length;
  const int32_t reach = static_cast<int32_t>(2.0 * length * progress);
  const int32_t shown = std::min(length, std::max(0, reach - i * length / kBlindStrips));
  const int32_t a = leading ? start : start + shown;
  const int32_t b = leading ? start + shown : start + length;
  if (!reversed) return {a, b};
  const int32_t end = kBlindStrips * length;
  return {end - b, end - a};
}

void CTransition::DrawBlinds(const SImageDraw& draw, const SDrawTarget& target, int32_t screenW,
                             int32_t screenH) const {
  const bool vertical = number == kBlindUp || number == kBlindDown;
  const bool reversed = number == kBlindUp || number == kBlindLeft;
  const int32_t length = ((vertical ? screenH : screenW) + kBlindStrips - 1) / kBlindStrips;
  for (int32_t i = 0; i < kBlindStrips; ++i) {
    const auto [a, b] = BlindStrip(i, length, Squeeze(), draw.which == 1, reversed);
    if (a >= b) continue;
    const CClipWindow strip =
        vertical ? CClipWindow(target, 0, a, target.width, b) : CClipWindow(target, a, 0, b, target.height);
    DrawImagePlain(draw, strip.Target());
  }
}

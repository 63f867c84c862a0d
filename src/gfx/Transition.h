#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "gfx/DrawTarget.h"
#include "gfx/ImageDrawer.h"

// The image transition of a layer: its number, elapsed ticks and duration, and how each of its two
// pictures (which 0: the previous one, 1: the new one) is placed and shaped at the current progress.
class CTransition {
 public:
  enum ENumber : int32_t {
    kNone = 0,
    kFade = 1,
    kMoveLeft = 2,
    kMoveRight = 3,
    kTrailLeft = 4,
    kTrailRight = 5,
    kScaleUp = 6,
    kScaleDown = 7,
    kScaleLeft = 8,
    kScaleRight = 9,
    kScrollUp = 10,
    kScrollDown = 11,
    kScrollLeft = 12,
    kScrollRight = 13,
    kBlindUp = 14,
    kBlindDown = 15,
    kBlindLeft = 16,
    kBlindRight = 17,
    kMask = 18,
    kMaskNegative = 19,
  };

  static constexpr int32_t kBlindStrips = 32;

  // Offset and colour alpha of one picture.
  struct SPlacement {
    int32_t x = 0;
    int32_t y = 0;
    int32_t alpha = 255;
  };

  void Start(int32_t transition, int32_t ticks);
  void Stop() {
    number = kNone;
    elapsed = duration = 0;
  }
  // Adds used ticks; true when the transition has just reached its end.
  bool Advance(int32_t ticks);

  int32_t Number() const { return number; }
  int32_t Elapsed() const { return elapsed; }
  int32_t Duration() const { return duration; }
  bool IsRunning() const { return number != kNone; }
  bool IsMask() const { return number == kMask || number == kMaskNegative; }
  bool IsTrail() const { return number == kTrailLeft || number == kTrailRight; }
  // The rectangles of both pictures are enough to redraw (fade, blinds, masks); others move over the screen.
  bool StaysInPlace() const { return number == kFade || number >= kBlindUp; }

  // e: 0 until the second tick, then rising linearly to 1 at the last tick.
  double Progress() const;
  // D = elapsed / duration, for the squeeze and blind shapes.
  double Squeeze() const;
  // +1 or -1: the direction in which this picture moves.
  int32_t Direction(int32_t which) const;
  // Offset and alpha of a picture of the fade, move, scroll, squeeze and blind transitions.
  SPlacement Place(int32_t which, bool otherPresent, int32_t screenW, int32_t screenH) const;
  // The afterimage copies of a trail, driven by the engine's mode timer (elapsed, length).
  std::vector<SPlacement> TrailCopies(int32_t which, int32_t waitElapsed, int32_t waitLength,
                                      int32_t screenW) const;
  // Rows or columns [first, second) of blind strip i (0-31) of the given length at a progress: the part
  // already turned (leading) or the rest; reversed counts from the far end.
  static std::pair<int32_t, int32_t> BlindStrip(int32_t i, int32_t length, double progress, bool leading,
                                                bool reversed);
  // Draws a picture of a squeeze or blind transition in its band or strips; false for other transitions.
  bool DrawShape(const SImageDraw& draw, const SDrawTarget& target, int32_t screenW, int32_t screenH) const;

 private:
  void DrawSqueezed(const SImageDraw& draw, const SDrawTarget& target, int32_t screenW,
                    int32_t screenH) const;
  void DrawBlinds(const SImageDraw& draw, const SDrawTarget& target, int32_t screenW, int32_t screenH) const;

  int32_t number = kNone;
  int32_t elapsed = 0;
  int32_t duration = 0;
};

#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "gfx/Surface.h"
#include "ui/ScreenMode.h"

// The date screen (engine mode 14): a background with the in-game month and day as four 128 x 128
// pictures (month number, the word for month, day number, the word for day), revealed by an iris
// opening from the centre for 60 ticks, held for 120 and closed again for 60. It takes no input, so
// it cannot be skipped; when it ends the script goes on.
class CDateMode : public CScreenMode {
 public:
  static constexpr int32_t kIrisTicks = 60;
  static constexpr int32_t kHoldTicks = 120;
  static constexpr int32_t kPictureSize = 128;

  enum EPhase : int32_t { kOpening = 0, kHolding = 1, kClosing = 2 };

  CDateMode(CGameSystem& game, const std::string& background);

  int Update(int32_t delta, int32_t x, int32_t y) override;
  void Draw(int32_t x, int32_t y) override;

  int32_t Phase() const { return phase; }
  int32_t Counter() const { return counter; }
  // The iris radii (outer, inner) for a screen width at the current phase and counter; the outer
  // radius is 0 at the start of the opening and the full width at its end.
  static std::pair<int32_t, int32_t> IrisRadii(int32_t width, int32_t ticksShut);

  // The picture of a number: "system\date\day%d.png".
  static std::string NumberPicture(int32_t number);

 private:
  void SetPhase(int32_t newPhase);

  CSurface background;
  std::array<CSurface, 4> pictures;
  int32_t phase = kOpening;
  int32_t counter = 0;
};

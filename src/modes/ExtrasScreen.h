#pragma once
#include <cstdint>
#include <string>

#include "modes/ExtrasGrid.h"
#include "ui/ScreenMode.h"

// What the album, flashback and music room have in common: the grid, a phase with its tick counter
// (phase 0 fades in from black, phase 1 is the grid) and the fade time. The screens add their own
// phases after these two.
class CExtrasScreen : public CScreenMode {
 public:
  static constexpr int32_t kFadingIn = 0;
  static constexpr int32_t kGrid = 1;

  int32_t Phase() const { return phase; }
  int32_t Counter() const { return counter; }
  const CExtrasGrid& Grid() const { return grid; }

  // In the grid the slot under the cursor becomes the selection.
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;

 protected:
  explicit CExtrasScreen(CGameSystem& game);

  // Loads the grid of system\<folder>; false when its layout is missing (reported).
  bool LoadGrid(const std::string& folder, const std::string& blank, int32_t minSlots);
  // A new phase starts at counter 0 and redraws the screen.
  void SetPhase(int32_t next);
  // One update of a fade: the counter rises up to the fade time; true (without rising) once it is
  // there, so the fully faded frame is shown before the screen acts.
  bool FadeDone(int32_t delta);
  // Black over the screen: falling from full in phase 0, rising while fadingOut.
  void DrawFades(bool fadingOut) const;

  CExtrasGrid grid;
  int32_t fadeTime;
  int32_t phase = kFadingIn;
  int32_t counter = 0;
};

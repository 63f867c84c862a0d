#pragma once
#include <array>
#include <cstdint>

#include "ui/Layout.h"
#include "ui/ScreenMode.h"

// The map selection (engine mode 16): up to 16 answers set by "[MapAnswer]", chosen with the
// cursor or the arrow keys; deciding jumps to the answer's label in the running script. Leaving
// the screen clears the answers.
class CMapSelectMode : public CScreenMode {
 public:
  static constexpr int32_t kEntries = 16;
  // The selection when no entry is active.
  static constexpr int32_t kNone = kEntries;

  explicit CMapSelectMode(CGameSystem& game);
  ~CMapSelectMode() override;

  int Update(int32_t delta, int32_t x, int32_t y) override;
  int OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void Draw(int32_t x, int32_t y) override;

  int32_t Selected() const { return selected; }
  // The next active entry from current by step (-1 or +1), wrapping around; current when no
  // other entry is active, kNone when none is.
  static int32_t Step(const std::array<bool, kEntries>& active, int32_t current, int32_t step);

 private:
  enum EInput : uint32_t { kLeft = 1, kRight = 2, kUp = 4, kDown = 8, kDecide = 16 };

  std::array<bool, kEntries> ActiveEntries() const;
  void Decide();

  CLayout layout;
  int32_t selected = kNone;
  uint32_t input = 0;
};

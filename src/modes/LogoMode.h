#pragma once
#include <cstdint>
#include <string>

#include "ui/Layout.h"
#include "ui/ScreenMode.h"

// The logo sequence (engine mode 20) at start-up: the controls "ロゴ0", "ロゴ1", … of
// system\logo\bg.scn one after another, each for three seconds with a fade from and to black inside
// that time; a click or any key cuts the current logo short. Afterwards the opening movie, if one is
// configured, else the title.
class CLogoMode : public CScreenMode {
 public:
  static constexpr int32_t kLogoTicks = 180;
  static constexpr const char* kLayoutPath = "system\\logo\\bg.scn";

  explicit CLogoMode(CGameSystem& game);

  int Update(int32_t delta, int32_t x, int32_t y) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  int OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) override;
  void Draw(int32_t x, int32_t y) override;

  int32_t Counter() const { return counter; }
  int32_t LogoNumber() const { return logoNumber; }

  static std::string ControlName(int32_t logoNumber);

 private:
  // After the last logo: the opening movie, or the title when no movie starts. The mode object is
  // gone afterwards.
  void Finish();

  CLayout layout;
  int32_t fadeTime;
  int32_t counter = 0;
  int32_t logoNumber = 0;
};

#pragma once
#include "gfx/PictureHost.h"

class CGameSystem;

// The engine as the pictures (layers, animations, screen effects) see it.
class CPictureHostAdapter : public IPictureHost {
 public:
  explicit CPictureHostAdapter(CGameSystem& game) : game(game) {}

  CDisplay& Display() override;
  IImageDrawer& ImageDrawer() override;
  CRandom& Random() override;
  int32_t Mode() const override;
  int32_t WaitElapsed() const override;
  int32_t WaitLength() const override;
  bool AreEffectsOff() const override;
  uint32_t FrameTime() const override;
  void DiscardElapsedTime() override;

 private:
  CGameSystem& game;
};

#include "app/PictureHostAdapter.h"

#include "app/GameSystem.h"
#include "gfx/LayerSet.h"
#include "persist/Settings.h"
#include "platform/Platform.h"

CDisplay& CPictureHostAdapter::Display() { return game.Display(); }
IImageDrawer& CPictureHostAdapter::ImageDrawer() { return game.Layers(); }
CRandom& CPictureHostAdapter::Random() { return game.Platform().Random(); }
int32_t CPictureHostAdapter::Mode() const { return game.Mode(); }
int32_t CPictureHostAdapter::WaitElapsed() const { return game.WaitElapsed(); }
int32_t CPictureHostAdapter::WaitLength() const { return game.WaitLength(); }

// Demo mode shows its effects whatever the player chose.
bool CPictureHostAdapter::AreEffectsOff() const {
  return settings::Config().Value(CPlayerConfig::kEffects) == 1 && !game.IsDemoMode();
}

uint32_t CPictureHostAdapter::FrameTime() const { return game.Clock().LastTick(); }
void CPictureHostAdapter::DiscardElapsedTime() { game.DiscardElapsedTime(); }

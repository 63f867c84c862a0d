// .anm animations: parsed, then shown on a layer and drawn for a few frames, sprites clipped to a
// small screen.
#include <memory>

#include "FuzzFolder.h"
#include "FuzzTarget.h"
#include "gfx/Animation.h"
#include "gfx/Display.h"
#include "gfx/LayerSet.h"
#include "gfx/PictureHost.h"
#include "platform/Random.h"

namespace {

// The engine's side of a picture: a small screen, a seeded generator and the layer set drawing.
class CFuzzPictureHost : public IPictureHost {
 public:
  CFuzzPictureHost() {
    display.Init(nullptr, 64, 48, true);
    layers = std::make_unique<CLayerSet>(*this);
  }
  CDisplay& Display() override { return display; }
  IImageDrawer& ImageDrawer() override { return *layers; }
  CRandom& Random() override { return random; }
  int32_t Mode() const override { return 0; }
  int32_t WaitElapsed() const override { return 0; }
  int32_t WaitLength() const override { return 0; }
  bool AreEffectsOff() const override { return false; }
  uint32_t FrameTime() const override { return 0; }
  void DiscardElapsedTime() override {}

  CDisplay display;
  CRandom random;
  std::unique_ptr<CLayerSet> layers;
};

}  // namespace

ZEL_FUZZ_TARGET(anm) {
  static CFuzzPictureHost host;
  static const bool pictures = [] {
    CFuzzFolder::Instance().WritePicture("anime/heroine.png", 16, 12);
    return true;
  }();
  (void)pictures;
  CFuzzFolder::Instance().Write("anime/fuzz.anm", data, size);
  CAnimation animation(host, 1, 0);
  animation.Create("anime\\fuzz.anm", "", 1.0f);
  for (int mirror = 0; mirror < 2; ++mirror) {
    animation.SetPlacement(-3, 5, mirror ? 0.5f : 1.0f, mirror != 0, false);
    for (int frame = 0; frame < 3; ++frame) {
      animation.Update(7);
      host.display.MarkAllDirty();
      animation.Draw(0, 0, 0xFFFFFFFF, frame, 1, 1);
    }
  }
  return 0;
}

#include <gtest/gtest.h>

#include "LayerGolden.h"
#include "gfx/ScreenEffect.h"

namespace {

class EffectGoldenTest : public CPictureFilesTest {};

// Every screen effect at rest, seeded generator, two seconds of particle motion, over the background
// and a figure on layer 1.
TEST_F(EffectGoldenTest, EachEffectAtRest) {
  WriteGoldenArt();
  CGoldenSheet sheet("effects", 6, CScreenEffect::kEffectCount);
  for (int32_t e = 0; e < CScreenEffect::kEffectCount; ++e) {
    CTestPictureHost host(kTileW, kTileH);
    host.time = 1234;
    SLayerImage bg;
    bg.src = "bg.png";
    host.layers->ShowImage(bg);
    SLayerImage figure;
    figure.layer = 1;
    figure.src = "a.png";
    figure.x = 24;
    host.layers->ShowImage(figure);
    host.DrawFrame();
    host.layers->Effect().Start(e, 1, 0xFF204080, -1);
    for (int frame = 0; frame < 120; ++frame) host.layers->Update(1);
    for (int frame = 0; frame < 3; ++frame) {
      host.layers->Effect().NextFrame();
      host.DrawFrame();
    }
    sheet.Put(e, host);
  }
  sheet.Compare();
}

}  // namespace

#include <gtest/gtest.h>

#include "LayerGolden.h"

namespace {

class TransitionGoldenTest : public CPictureFilesTest {};

// Every transition at its midpoint (elapsed 6 of 11: e = 0.5, D = 6 / 11), the previous figure on the
// left and the new one on the right, over the background.
TEST_F(TransitionGoldenTest, EachTransitionAtItsMidpoint) {
  WriteGoldenArt();
  CGoldenSheet sheet("transitions", 5, 20);
  for (int32_t t = 0; t < 20; ++t) {
    CTestPictureHost host(kTileW, kTileH);
    host.waitElapsed = 6;
    host.waitLength = 11;
    SLayerImage bg;
    bg.src = "bg.png";
    host.layers->ShowImage(bg);
    SLayerImage previous;
    previous.layer = 1;
    previous.src = "a.png";
    host.layers->ShowImage(previous);
    SLayerImage next = previous;
    next.src = "b.png";
    next.x = 48;
    next.transition = t;
    next.duration = 11;
    next.mask = "mask.png";
    next.maskGradation = 30;
    host.layers->ShowImage(next);
    host.layers->AdvanceTransitions(6);
    host.DrawFrame();
    sheet.Put(t, host);
  }
  sheet.Compare();
}

}  // namespace

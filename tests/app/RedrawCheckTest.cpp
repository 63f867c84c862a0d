// The redraw check on a plain display: a frame drawn over the dirty spans against the same frame
// drawn whole.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "app/RedrawCheck.h"
#include "gfx/Display.h"
#include "gfx/DrawTarget.h"
#include "gfx/ShapeDraw.h"

namespace {

constexpr int kWidth = 64, kHeight = 48;

// A scene of one opaque box on black; moving the box marks its old and new place unless told not to.
struct SScene {
  CDisplay display;
  SRect box{10, 10, 20, 20};
  uint32_t colour = 0xFFFF0000u;

  SScene() { display.Init(nullptr, kWidth, kHeight, true); }
  void Draw() {
    display.FillDirty(0xFF000000u);
    shapes::FillRect(SDrawTarget::Screen(display), box.left, box.top, box.right, box.bottom, colour);
  }
  void MoveTo(int32_t x, int32_t y, bool mark) {
    if (mark) display.MarkDirty(box);
    box = {x, y, x + box.Width(), y + box.Height()};
    if (mark) display.MarkDirty(box);
  }
  // One frame: draw over the spans, check, show.
  std::optional<SRect> Frame(CRedrawCheck& check) {
    Draw();
    const std::optional<SRect> difference = check.Check(display, [this] { Draw(); });
    display.Present();
    return difference;
  }
};

std::array<int32_t, 4> Corners(const SRect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

TEST(RedrawCheck, FirstDifferenceIsTheFirstBandOfDifferingRowsAndIgnoresAlpha) {
  std::vector<uint32_t> a(8 * 6, 0xFF102030u), b = a;
  EXPECT_FALSE(CRedrawCheck::FirstDifference(a.data(), b.data(), 8, 6));
  b[0] = 0x00102030u;  // alpha is never shown
  EXPECT_FALSE(CRedrawCheck::FirstDifference(a.data(), b.data(), 8, 6));
  b[1 * 8 + 5] = 0xFF102031u;
  b[2 * 8 + 2] = 0xFF000000u;
  b[4 * 8 + 7] = 0xFFFFFFFFu;  // a second band below an equal row is left for later
  const std::optional<SRect> band = CRedrawCheck::FirstDifference(a.data(), b.data(), 8, 6);
  ASSERT_TRUE(band);
  EXPECT_EQ(Corners(*band), (std::array<int32_t, 4>{2, 1, 6, 3}));
}

TEST(RedrawCheck, MarkedChangesPassAndAChangeDrawnWithoutMarkingIsCaught) {
  SScene scene;
  CRedrawCheck check;
  EXPECT_FALSE(scene.Frame(check)) << "the first frame is drawn whole";
  scene.MoveTo(30, 20, true);
  EXPECT_FALSE(scene.Frame(check));
  EXPECT_FALSE(scene.Frame(check)) << "nothing changed";
  scene.MoveTo(40, 30, false);
  const std::optional<SRect> difference = scene.Frame(check);
  ASSERT_TRUE(difference);
  // The box is missing at its new place and still shown at its old one: the band spans both.
  EXPECT_EQ(Corners(*difference), (std::array<int32_t, 4>{30, 20, 50, 40}));
}

TEST(RedrawCheck, TheDisplayKeepsItsIncrementalPictureAndSpans) {
  SScene scene;
  CRedrawCheck check;
  scene.Frame(check);
  scene.colour = 0xFF00FF00u;  // recoloured without marking
  scene.display.MarkDirty({0, 0, 4, 4});
  scene.Draw();
  ASSERT_TRUE(check.Check(scene.display, [&scene] { scene.Draw(); }));
  EXPECT_EQ(scene.display.Pixels()[12 * kWidth + 12], 0xFFFF0000u) << "the full redraw was not kept";
  EXPECT_EQ(scene.display.Span(0).right, 4);
  EXPECT_EQ(scene.display.Span(12).left, kWidth) << "rows not marked stay clean";
  EXPECT_EQ(scene.display.Span(12).right, 0);
}

#include <gtest/gtest.h>

#include <vector>

#include "LayerTestHost.h"
#include "gfx/Animation.h"
#include "gfx/AnimationFile.h"

namespace {

// A character: a body, an eye sprite on blink timer 3 with cells 10 pixels apart, a mouth answering
// to speaker key 7 and a half-transparent shadow, in three frames of 10, 10 and 20 ticks looping from
// the second.
const char* const kCharacter =
    "SIZE 100 80\n"
    "UNKNOWN line\n"
    "FRAME\n"
    " TIME 10\n"
    " SPRITE\n"
    "  FILE parts.png\n  DEST 0 0\n  SRC 0 0\n  SIZE 100 80\n"
    " SPRITE END\n"
    " SPRITE\n"
    "  FILE parts.png\n  DEST 10 20\n  SRC 0 80\n  SIZE 20 10\n  OFFSET 30 0\n  TYPE EYE\n  ID 3\n"
    " SPRITE END\n"
    " SPRITE\n"
    "  FILE parts.png\n  DEST 40 50\n  SRC 0 90\n  SIZE 20 10\n  OFFSET 0 10\n  TYPE MOUTH\n  ID 7\n"
    " SPRITE END\n"
    " SPRITE\n"
    "  FILE shadow.png\n  DEST 0 70\n  SIZE 100 10\n  ALPHA 50\n  SIZE 5\n"
    " SPRITE END\n"
    "FRAME END\n"
    "FRAME\n TIME 10\n LOOP\n SPRITE\n  FILE parts.png\n  SIZE 1 1\n SPRITE END\nFRAME END\n"
    "FRAME\n TIME 20\nFRAME END\n";

class AnimationTest : public CPictureFilesTest {
 protected:
  void SetUp() override {
    CPictureFilesTest::SetUp();
    WriteSolid("anime/parts.png", 100, 120, 0xFF808080);
    WriteSolid("anime/shadow.png", 100, 10, 0xFF000000);
    WriteText("anime/chara.anm", kCharacter);
    host.drawer = &recorder;
  }

  CTestPictureHost host{320, 240};
  CRecordingDrawer recorder;
};

TEST_F(AnimationTest, ParsesFramesSpritesAndSharesImages) {
  CAnimationFile file;
  file.Load("anime\\chara.anm", 800, 600);
  EXPECT_EQ(file.Width(), 100);
  EXPECT_EQ(file.Height(), 80);
  ASSERT_EQ(file.Frames().size(), 3u);
  EXPECT_EQ(file.TotalTime(), 40);
  EXPECT_EQ(file.LoopPoint(), 10);
  const std::vector<SAnimationSprite>& s = file.Frames()[0].sprites;
  ASSERT_EQ(s.size(), 4u);
  EXPECT_EQ(s[1].type, SAnimationSprite::kEye);
  EXPECT_EQ(s[1].id, 3);
  EXPECT_EQ(s[1].stepX, 30);
  EXPECT_EQ(s[2].type, SAnimationSprite::kMouth);
  EXPECT_EQ(s[2].srcY, 90);
  // ALPHA 50 is stored as 50 * 256 / 100; the short "SIZE 5" line is ignored.
  EXPECT_EQ(s[3].alpha, 128);
  EXPECT_EQ(s[3].width, 100);
  EXPECT_EQ(s[0].image, s[1].image);
  EXPECT_NE(s[0].image, s[3].image);
  ASSERT_NE(s[0].image, nullptr);
  EXPECT_EQ(s[0].image->Width(), 100);
}

TEST_F(AnimationTest, MissingFileHasNoFramesAndScreenSize) {
  CAnimationFile file;
  file.Load("anime\\none.anm", 800, 600);
  EXPECT_TRUE(file.Frames().empty());
  EXPECT_EQ(file.FrameAt(5), nullptr);
  EXPECT_EQ(file.Width(), 800);
}

TEST_F(AnimationTest, FrameLookupWithLoopPoint) {
  CAnimationFile file;
  file.Load("anime\\chara.anm", 800, 600);
  const auto index = [&](int64_t t) { return file.FrameAt(t) - file.Frames().data(); };
  EXPECT_EQ(index(0), 0);
  EXPECT_EQ(index(9), 0);
  EXPECT_EQ(index(10), 1);
  EXPECT_EQ(index(39), 2);
  // 45 maps to 10 + 35 = 45, beyond the total: the last frame; 50 maps to 10 + 0: the second.
  EXPECT_EQ(index(45), 2);
  EXPECT_EQ(index(50), 1);
  EXPECT_EQ(index(61), 2);
}

TEST_F(AnimationTest, WithoutLoopStopsOnLastFrameUnlessLooped) {
  WriteText("anime/once.anm",
            "FRAME\nTIME 5\nFRAME END\nFRAME\nTIME 5\nFRAME END\nFRAME\nTIME -9\nFRAME END\n");
  CAnimationFile file;
  file.Load("anime\\once.anm", 800, 600);
  EXPECT_EQ(file.TotalTime(), 10);
  EXPECT_EQ(file.FrameAt(1000) - file.Frames().data(), 2);
  file.LoopFromStart();
  EXPECT_EQ(file.FrameAt(1003) - file.Frames().data(), 0);
  EXPECT_EQ(file.FrameAt(1007) - file.Frames().data(), 1);
}

TEST_F(AnimationTest, BlinkTimersStartFromTheEngineGenerator) {
  host.random.Seed(42);
  CRandom expected;
  expected.Seed(42);
  CAnimation a(host, 1, 0);
  a.Create("anime\\chara.anm", "", 1.0f);
  for (int i = 0; i < CAnimation::kBlinkTimers; ++i)
    EXPECT_EQ(a.BlinkTimer(i), 20 + expected.Next() * 300 / 32767);
}

TEST_F(AnimationTest, EyeMouthAndAlphaCells) {
  CAnimation a(host, 2, 0);
  a.Create("anime\\chara.anm", "", 1.0f);
  a.SetPlacement(5, 6, 1.0f, false, false);
  // Timer values and the eye cell they show: 1, 2, 2, 1 for five ticks each, then open.
  const int32_t timers[] = {0, 4, 5, 12, 15, 19, 20, 300};
  const int32_t cells[] = {1, 1, 2, 2, 1, 1, 0, 0};
  for (size_t i = 0; i < std::size(timers); ++i) {
    recorder.draws.clear();
    a.SetBlinkTimer(3, timers[i]);
    a.Draw(0, 0, 0xFFFFFFFF, 2, 7, 1);
    ASSERT_EQ(recorder.draws.size(), 4u);
    EXPECT_EQ(recorder.draws[1].sx0, cells[i] * 30) << "timer " << timers[i];
    EXPECT_EQ(recorder.draws[1].sx1, cells[i] * 30 + 20);
    EXPECT_EQ(recorder.draws[2].sy0, 90 + 2 * 10);
  }
  const SImageDraw& body = recorder.draws[0];
  EXPECT_EQ(body.layer, 2);
  EXPECT_FLOAT_EQ(body.x0, 5);
  EXPECT_FLOAT_EQ(body.y1, 86);
  // The shadow's ALPHA 50 under an opaque colour: (255 * 128) >> 8.
  EXPECT_EQ(recorder.draws[3].colour >> 24, 127u);

  // Another speaker leaves the mouth shut; a colour below full alpha shows every cell 0.
  recorder.draws.clear();
  a.SetBlinkTimer(3, 12);
  a.Draw(0, 0, 0xFFFFFFFF, 2, 8, 0);
  EXPECT_EQ(recorder.draws[2].sy0, 90);
  EXPECT_EQ(recorder.draws[2].which, 0);
  recorder.draws.clear();
  a.Draw(0, 0, 0xFEFFFFFF, 2, 7, 1);
  EXPECT_EQ(recorder.draws[1].sx0, 0);
  EXPECT_EQ(recorder.draws[2].sy0, 90);
}

TEST_F(AnimationTest, MirroredSpritesAndRectangles) {
  CAnimation a(host, 1, 0);
  a.Create("anime\\chara.anm", "", 1.0f);
  a.SetPlacement(0, 0, 1.0f, true, false);
  a.Draw(0, 0, 0xFFFFFFFF, 0, 0, 1);
  // Width 100, eye at x 10 width 20: drawn from 90 to 70, mirrored.
  EXPECT_FLOAT_EQ(recorder.draws[1].x0, 90);
  EXPECT_FLOAT_EQ(recorder.draws[1].x1, 70);
  SAnimationSprite sprite;
  sprite.destX = 10, sprite.destY = 20, sprite.width = 20, sprite.height = 10;
  EXPECT_EQ(a.SpriteRect(&sprite), (SRect{70, 20, 90, 30}));
  a.SetPlacement(3, 4, 1.5f, true, false);
  // left = round(1.5 * 70) = 105, right = round(1.5 * 90) = 135, then moved by the position.
  EXPECT_EQ(a.SpriteRect(&sprite), (SRect{108, 34, 138, 49}));
}

TEST_F(AnimationTest, PlainImageScaledAndMirrored) {
  WriteSolid("bg.png", 40, 30, 0xFF102030);
  CAnimation a(host, 0, 0);
  a.Create("bg.png", "", 1.0f);
  a.SetPlacement(10, 20, 2.0f, true, false);
  a.Draw(1, 2, 0xFFFFFFFF, 0, 0, 1);
  ASSERT_EQ(recorder.draws.size(), 1u);
  const SImageDraw& d = recorder.draws[0];
  EXPECT_FLOAT_EQ(d.x0, 91);
  EXPECT_FLOAT_EQ(d.x1, 11);
  EXPECT_FLOAT_EQ(d.y0, 22);
  EXPECT_FLOAT_EQ(d.y1, 82);
  EXPECT_EQ(d.sx1, 40);
  EXPECT_EQ(d.sy1, 30);
  EXPECT_EQ(a.SpriteRect(nullptr), (SRect{10, 20, 90, 80}));
  recorder.draws.clear();
  a.SetPlacement(10, 20, 0.0f, false, false);
  a.Draw(0, 0, 0xFFFFFFFF, 0, 0, 1);
  EXPECT_TRUE(recorder.draws.empty());
}

TEST_F(AnimationTest, TilingCoversTheScreen) {
  WriteSolid("tile.png", 100, 100, 0xFF102030);
  CAnimation a(host, 0, 0);
  a.Create("tile.png", "", 1.0f);
  a.SetPlacement(30, -20, 1.0f, false, true);
  a.Draw(0, 0, 0xFFFFFFFF, 0, 0, 1);
  // x starts at 30 - 100 = -70 (4 copies up to 320), y at -20 - 100 = -120 (4 copies up to 240).
  ASSERT_EQ(recorder.draws.size(), 16u);
  EXPECT_FLOAT_EQ(recorder.draws[0].x0, -70);
  EXPECT_FLOAT_EQ(recorder.draws[0].y0, -120);
  EXPECT_FLOAT_EQ(recorder.draws[15].x0, 230);
  host.display.ClearSpans();
  a.MarkDirty();
  EXPECT_EQ(host.display.DirtyRuns(), (std::vector<SRect>{{0, 0, 320, 240}}));
}

TEST_F(AnimationTest, TwoMovesAimTheSecondFurther) {
  WriteSolid("p.png", 10, 10, 0xFFFFFFFF);
  CAnimation a(host, 1, 0);
  a.Create("p.png", "", 1.0f);
  a.Move(100, 0, 60, false);
  a.Move(100, 0, 60, false);
  SPictureMove m;
  ASSERT_TRUE(a.GetMove(m));
  EXPECT_EQ(m.toX, 200);
  EXPECT_EQ(m.fromX, 0);
  a.Update(15);
  EXPECT_EQ(a.X(), 50);  // 15 * 200 / 60
  a.Update(45);
  EXPECT_EQ(a.X(), 200);
  EXPECT_FALSE(a.GetMove(m));
  // A move while one runs starts from where the picture is now.
  a.Move(0, 60, 30, false);
  a.Update(10);
  a.Move(0, 60, 30, false);
  ASSERT_TRUE(a.GetMove(m));
  EXPECT_EQ(m.fromY, 20);
  EXPECT_EQ(m.toY, 120);
  // Without a duration the picture jumps and the movement stops.
  a.Move(-5, -5, 0, false);
  EXPECT_EQ(a.X(), 195);
  EXPECT_EQ(a.Y(), 15);
  EXPECT_FALSE(a.GetMove(m));
}

TEST_F(AnimationTest, LoopingMoveWrapsAndMoveStateRestores) {
  WriteSolid("p.png", 10, 10, 0xFFFFFFFF);
  CAnimation a(host, 1, 0);
  a.Create("p.png", "", 1.0f);
  a.Move(40, 0, 20, true);
  a.Update(25);  // elapsed 25 mod 20 = 5
  EXPECT_EQ(a.X(), 10);
  // A looping movement is not a base for the next one.
  a.Move(0, 10, 10, false);
  SPictureMove m;
  ASSERT_TRUE(a.GetMove(m));
  EXPECT_EQ(m.toX, 10);
  EXPECT_EQ(m.toY, 10);
  CAnimation b(host, 1, 0);
  b.SetMove({0, 0, 100, 50, 5, 10, false});
  b.Update(1);
  EXPECT_EQ(b.X(), 60);
  EXPECT_EQ(b.Y(), 30);
}

TEST_F(AnimationTest, UpdateMarksBlinkingSpritesAndFrameChanges) {
  CAnimation a(host, 1, 0);
  a.Create("anime\\chara.anm", "", 1.0f);
  a.SetPlacement(100, 100, 1.0f, false, false);
  host.display.ClearSpans();
  a.Update(1);
  // Same frame: only the eye (110-130 x 120-130) and the mouth (140-160 x 150-160) are marked.
  EXPECT_EQ(host.display.DirtyRuns(), (std::vector<SRect>{{110, 120, 130, 130}, {140, 150, 160, 160}}));
  host.display.ClearSpans();
  a.Update(9);
  // Into the second frame: the normal sprites of both frames are marked too.
  EXPECT_EQ(host.display.Span(100).left, 100);
  EXPECT_EQ(host.display.Span(100).right, 200);
}

TEST_F(AnimationTest, ColourMapHitTest) {
  // A 24-bit BMP of 4 x 2: the top row red, green, blue, white; the bottom row black.
  std::vector<uint8_t> bmp(54 + 2 * 12, 0);
  const auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bmp[at + i] = uint8_t(v >> (8 * i));
  };
  bmp[0] = 'B', bmp[1] = 'M';
  put32(10, 54), put32(14, 40), put32(18, 4), put32(22, 2);
  bmp[26] = 1, bmp[28] = 24;
  const uint8_t top[12] = {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255};
  std::copy(top, top + 12, bmp.begin() + 54 + 12);
  std::ofstream("map.bmp", std::ios::binary)
      .write(reinterpret_cast<const char*>(bmp.data()), std::streamsize(bmp.size()));
  WriteSolid("p.png", 4, 2, 0xFFFFFFFF);
  CLooseFiles::Instance().ForgetListings();
  CAnimation a(host, 4, 0);
  a.Create("p.png", "map.bmp", 1.0f);
  a.SetPlacement(10, 10, 2.0f, false, false);
  uint32_t colour = 0;
  ASSERT_TRUE(a.HitTestColorMap(10, 10, colour));
  EXPECT_EQ(colour, 0x0000FFu);  // red, as 0x00BBGGRR
  ASSERT_TRUE(a.HitTestColorMap(15, 11, colour));
  EXPECT_EQ(colour, 0xFF0000u);  // u = 2: blue
  ASSERT_TRUE(a.HitTestColorMap(12, 12, colour));
  EXPECT_EQ(colour, 0u);
  EXPECT_FALSE(a.HitTestColorMap(9, 10, colour));
  EXPECT_FALSE(a.HitTestColorMap(18, 10, colour));
  a.SetPlacement(10, 10, 2.0f, true, false);
  ASSERT_TRUE(a.HitTestColorMap(10, 10, colour));
  EXPECT_EQ(colour, 0xFFFFFFu);  // the mirrored first column is the map's last
  CAnimation none(host, 4, 0);
  none.Create("p.png", "", 1.0f);
  EXPECT_FALSE(none.HitTestColorMap(0, 0, colour));
  EXPECT_EQ(a.FileName(), "p.png");
  EXPECT_EQ(a.ColorMapName(), "map.bmp");
}

TEST_F(AnimationTest, ColourModeAppliesToEverySpriteImage) {
  CAnimation a(host, 1, 0);
  a.Create("anime\\chara.anm", "", 1.0f);
  a.SetColorMode(3);
  a.Draw(0, 0, 0xFFFFFFFF, 0, 0, 1);
  EXPECT_EQ(a.ColorMode(), 3);
  EXPECT_EQ(recorder.draws[0].surface->Pixel(0, 0), 0xFF7F7F7Fu);
  EXPECT_EQ(recorder.draws[3].surface->Pixel(0, 0), 0xFFFFFFFFu);
}

}  // namespace

// Sizes and positions near the 32-bit limits must not overflow when a sprite is placed, drawn
// mirrored or given a mouth cell; the draw request keeps the far edges saturated instead of wrapping.
TEST_F(AnimationTest, SpriteSizesNearTheIntegerLimitDoNotOverflow) {
  WriteText(
      "anime/huge.anm",
      "SIZE 2147483647 2147483647\nFRAME\n TIME 1\n SPRITE\n  FILE parts.png\n  DEST 2147483000 2147483000\n"
      "  SRC 2147483000 2147483000\n  SIZE 2147483647 2147483647\n  OFFSET 2147483647 2147483647\n"
      "  TYPE MOUTH\n  ID 7\n SPRITE END\nFRAME END\n");
  CAnimation a(host, 1, 0);
  a.Create("anime\\huge.anm", "", 1.0f);
  for (bool mirror : {false, true}) {
    recorder.draws.clear();
    a.SetPlacement(2147483000, -2147483000, 1.0f, mirror, false);
    a.Draw(0, 0, 0xFFFFFFFF, 3, 7, 1);
    ASSERT_EQ(recorder.draws.size(), 1u);
    const SImageDraw& d = recorder.draws[0];
    EXPECT_EQ(d.sx0, INT32_MAX);
    EXPECT_EQ(d.sx1, INT32_MAX);
    EXPECT_GT(d.y1, d.y0);
    EXPECT_GT(mirror ? d.x0 - d.x1 : d.x1 - d.x0, 1e9f);
    SAnimationSprite far;
    far.destX = INT32_MAX, far.width = INT32_MAX, far.destY = INT32_MIN, far.height = INT32_MAX;
    const SRect r = a.SpriteRect(&far);
    EXPECT_GE(r.right, r.left);
    EXPECT_GE(r.bottom, r.top);
    EXPECT_EQ(a.SpriteRect(nullptr).right, INT32_MAX);
  }
  // Drawn for real through the layer set, the sprite is clipped to the screen.
  host.drawer = nullptr;
  a.SetPlacement(0, 0, 1.0f, false, false);
  host.display.MarkAllDirty();
  a.Draw(-2147483000, -2147483000, 0xFFFFFFFF, 0, 0, 1);
}

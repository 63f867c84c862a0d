// Screens that once were drawn wrong although every frame looked fine to the engine: the sample's
// key-wait icon and the plate of a two-choice layout, played headless with the redraw check.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "CommandRun.h"
#include "gfx/Surface.h"
#include "io/TempDir.h"

namespace fs = std::filesystem;

namespace {

const std::string kSource = ZEL_SOURCE_DIR;
const std::string kSample = std::string(ZEL_BUILD_DIR) + "/sample-game";

// Plays a game from its main script; the shots are relative names, written in the test's folder.
SRun Play(const fs::path& game, const std::string& input, long frames, const std::string& options) {
  return RunCommand(kZelHeadless + "--start 'scenario\\mainScript.adv' --frames " + std::to_string(frames) +
                    " --input \"" + input + "\" --trace trace.json --save-dir . " + options + " \"" +
                    game.string() + "\"");
}

// Builds the choice test game in the test's folder and plays it with its input (status -1 when the
// game could not be built).
SRun PlayChoiceGame(const CTempDir& dir, long frames, const std::string& shots) {
  const fs::path game = BuildTestGame("choice_plates", dir.path);
  if (game.empty()) return {};
  return Play(game, kSource + "/tests/games/choice_plates/play.input", frames, shots);
}

// How many pixels of the rectangle of a shot are near white (the icon and text are white).
int WhitePixels(const std::string& shot, int left, int top, int right, int bottom) {
  CSurface picture;
  EXPECT_TRUE(picture.Load(shot)) << shot;
  int count = 0;
  for (int y = top; y < bottom && y < picture.Height(); ++y)
    for (int x = left; x < right && x < picture.Width(); ++x)
      if ((picture.Pixel(x, y) & 0xE0E0E0u) == 0xE0E0E0u) ++count;
  return count;
}

// Pixels of the rectangle in the read-choice colour of the test game (pure red, anti-aliased).
int RedPixels(const std::string& shot, int left, int top, int right, int bottom) {
  CSurface picture;
  EXPECT_TRUE(picture.Load(shot)) << shot;
  int count = 0;
  for (int y = top; y < bottom && y < picture.Height(); ++y)
    for (int x = left; x < right && x < picture.Width(); ++x) {
      const uint32_t p = picture.Pixel(x, y);
      if (((p >> 16) & 255) > 160 && ((p >> 8) & 255) < 80 && (p & 255) < 80) ++count;
    }
  return count;
}

uint32_t ShotPixel(const std::string& shot, int x, int y) {
  CSurface picture;
  EXPECT_TRUE(picture.Load(shot)) << shot;
  return picture.Width() > x && picture.Height() > y ? picture.Pixel(x, y) & 0xFFFFFFu : 0xDEADu;
}

}  // namespace

TEST(RedrawRun, SampleFirstPageWaitShowsTheKeyWaitIcon) {
  const CTempDir dir;
  // The first page waits from frame 155; its icon sits in control "カーソル" (740 564 768 592), outside
  // the text area, and the strip's frames are drawn in white.
  const SRun run =
      Play(kSample, kSource + "/sample/playthrough.input", 158, "--shot 150 reveal.png --shot 157 wait.png");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(WhitePixels("reveal.png", 744, 568, 768, 592), 0) << "no icon while the text appears";
  EXPECT_GT(WhitePixels("wait.png", 744, 568, 768, 592), 20) << "the icon in the page wait";
}

TEST(RedrawRun, TwoChoicePlateOfItsOwnLayoutLeavesNothingBehind) {
  const CTempDir dir;
  const SRun run = PlayChoiceGame(dir, 200, "--shot 39 open.png --shot 60 after.png --shot 115 again.png");
  ASSERT_EQ(run.status, 0) << run.output;
  // select2.scn puts the plate at 140 20 660 180; select.scn (140 300 660 460) is never drawn.
  const uint32_t plate = ShotPixel("open.png", 150, 30);
  EXPECT_NE(plate, 0u);
  EXPECT_EQ(ShotPixel("open.png", 150, 310), 0u);
  EXPECT_EQ(ShotPixel("after.png", 150, 30), 0u) << "the plate of the taken choice is gone";
  EXPECT_EQ(ShotPixel("again.png", 150, 30), plate) << "the second visit shows the same plate";
  // Rows of 36 pixels centred in 選択肢 (160 30 640 170): the lower entry was never taken.
  EXPECT_EQ(RedPixels("again.png", 160, 100, 640, 136), 0) << "an untaken choice is not shown as read";
  std::ifstream trace("trace.json");
  const std::string text((std::istreambuf_iterator<char>(trace)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find(reinterpret_cast<const char*>(u8"左の道を進んだ。")), std::string::npos) << text;
}

TEST(RedrawRun, KeyWaitAnimationOfTheGameRunsInTheClickWait) {
  const CTempDir dir;
  // The first page waits from frame 64 to 74; keywait.anm changes its picture every 4 ticks, with
  // its bottom-right at that of "カーソル" (740 564 768 592).
  const SRun run = PlayChoiceGame(dir, 80, "--shot 60 before.png --shot 66 first.png --shot 70 second.png");
  ASSERT_EQ(run.status, 0) << run.output;
  // Its frames: the plate's 24 x 24 corner, and 16 x 16 of its inside drawn 4 pixels in.
  EXPECT_EQ(ShotPixel("before.png", 752, 576), 0u) << "no icon before the wait";
  EXPECT_NE(ShotPixel("first.png", 752, 576), 0u);
  EXPECT_NE(ShotPixel("first.png", 745, 569), ShotPixel("second.png", 745, 569)) << "the animation moves on";
}

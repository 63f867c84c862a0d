// The save and load screens played headless by the zel binary: the sample's button form through
// the system menu and the title's continue item, and the list form of a test game with its page
// rules. Input frames are laid out from the frame at which the game's first click wait begins.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "HeadlessPlay.h"
#include "io/TempDir.h"
#include "platform/Geometry.h"

namespace {

using namespace headlessplay;

std::string Slot(const char* event, int slot) {
  return "\"event\":\"" + std::string(event) + "\",\"slot\":" + std::to_string(slot) + ",\"ok\":true";
}

// Compares a screenshot with a golden picture under tests/scenario/golden within the tolerance per
// channel, leaving out the rectangles whose contents change from run to run (file times).
// ZEL_UPDATE_GOLDEN=1 writes the golden picture instead.
void ExpectMatchesGolden(const fs::path& shot, const std::string& name, const std::vector<SRect>& ignored) {
  const fs::path golden = fs::path(ZEL_SOURCE_DIR) / "tests/scenario/golden" / (name + ".png");
  if (std::getenv("ZEL_UPDATE_GOLDEN")) {
    fs::copy_file(shot, golden, fs::copy_options::overwrite_existing);
    return;
  }
  CSurface actual, expected;
  ASSERT_TRUE(actual.Load(shot.string()));
  ASSERT_TRUE(expected.Load(golden.string())) << golden << " is missing; run with ZEL_UPDATE_GOLDEN=1";
  ASSERT_EQ(actual.Width(), expected.Width());
  ASSERT_EQ(actual.Height(), expected.Height());
  constexpr int kTolerance = 8;
  int bad = 0;
  for (int y = 0; y < actual.Height(); ++y) {
    for (int x = 0; x < actual.Width(); ++x) {
      bool skip = false;
      for (const SRect& r : ignored) skip = skip || r.Contains(x, y);
      if (skip) continue;
      for (int shift = 0; shift < 24; shift += 8) {
        const int a = static_cast<int>(actual.Pixel(x, y) >> shift & 255);
        const int e = static_cast<int>(expected.Pixel(x, y) >> shift & 255);
        if (std::abs(a - e) > kTolerance) {
          ++bad;
          break;
        }
      }
    }
  }
  if (bad == 0) return;
  const fs::path copy = fs::path(ZEL_BUILD_DIR) / (name + ".actual.png");
  fs::copy_file(shot, copy, fs::copy_options::overwrite_existing);
  ADD_FAILURE() << bad << " pixels differ from " << golden << "; this run's screen is " << copy;
}

bool Bright(uint32_t pixel) {
  return (pixel & 255) > 0x90 && (pixel >> 8 & 255) > 0x90 && (pixel >> 16) > 0x90;
}

}  // namespace

// The sample: save into slot 3 from the system menu, reopen the screen and see the slot; back to the
// title, where continue opens the load screen on slot 3, and the loaded game goes on.
TEST(SaveScreenScenario, ASaveIntoSlotThreeIsShownAndLoadsFromTheTitle) {
  const CTempDir temp;
  const long f = FirstClick(kSample, temp.path);
  const std::string input =
      At(f + 10, "rclick 10 10") + At(f + 30, "click 400 74") + At(f + 60, "move 400 258") +
      At(f + 62, "click 400 258") + At(f + 90, "key ESCAPE") + At(f + 120, "rclick 10 10") +
      At(f + 140, "click 400 74") + At(f + 180, "key ESCAPE") + At(f + 210, "rclick 10 10") +
      At(f + 230, "click 400 210") + At(f + 260, "key UP") + At(f + 261, "key RETURN") +
      At(f + 340, "move 400 318") + At(f + 341, "click 400 318") + At(f + 370, "key RETURN") +
      At(f + 390, "key UP") + At(f + 391, "key RETURN") + At(f + 420, "key RETURN");
  const SPlay play = Play(kSample, temp.path, input, f + 480, Shot(f + 175, temp.path, "saved.png"));
  const SPlay first = Play(kSample, temp.path, "", f + 1);
  const std::string page = first.events[first.Find({"\"event\":\"click\""})];
  const std::string pageText = page.substr(page.find("\"page\""));

  EXPECT_EQ(play.Frame(play.Find({Menu(1, 2)})), f + 30);
  EXPECT_EQ(play.Frame(play.Find({Slot("save", 3)})), f + 62);
  EXPECT_EQ(play.Frame(play.Find({Menu(0, 3)})), f + 341) << "continue opens the load screen over the title";
  const int loaded = play.Find({Slot("load", 3)});
  ASSERT_GE(loaded, 0);
  EXPECT_EQ(play.Frame(loaded), f + 391) << "the load screen starts at the slot saved last";
  EXPECT_GE(play.Find({Menu(3, 0)}, f + 391), 0);
  EXPECT_GE(play.Find({"\"event\":\"click\"", pageText}, f + 391), 0) << "the saved page is back";
  EXPECT_GE(play.Find({"\"event\":\"mode\",\"from\":3"}, f + 420), 0) << "and the game goes on";
  EXPECT_EQ(play.Count("\"msgbox\""), 0);
  // The file times of the rows change with every run.
  std::vector<SRect> times;
  for (int row = 0; row < 6; ++row) times.push_back({600, 64 + 56 * row, 780, 116 + 56 * row});
  ExpectMatchesGolden(temp.path / "saved.png", "save_screen", times);
}

// The list form: page buttons for pages 0 and 1 only keep the save screen on those pages, a right
// click on its question leaves the screen open; the load screen without page buttons reaches the
// short last page.
TEST(SaveScreenScenario, TheListFormFollowsThePageRulesWithAndWithoutPageButtons) {
  const CTempDir temp;
  const fs::path game = BuildTestGame("save_list", temp.path);
  ASSERT_FALSE(game.empty());
  const long f = FirstClick(game, temp.path);
  std::string input = At(f + 10, "key V");
  for (int i = 0; i < 3; ++i) input += At(f + 40 + i, "key RIGHT");
  for (int i = 0; i < 6; ++i) input += At(f + 45 + i, "key DOWN");
  // Enter asks; a right click closes the question and the screen stays; Enter asks again and はい saves.
  input += At(f + 60, "key RETURN") + At(f + 75, "rclick 10 10") + At(f + 90, "key RETURN") +
           At(f + 105, "key UP") + At(f + 106, "key RETURN") + At(f + 120, "key ESCAPE") +
           At(f + 140, "key B") + At(f + 170, "key RIGHT") + At(f + 171, "key RIGHT") +
           At(f + 172, "key DOWN");
  for (int i = 0; i < 4; ++i) input += At(f + 180 + i, "key UP");
  input += At(f + 190, "key RETURN") + At(f + 210, "key UP") + At(f + 211, "key RETURN");
  const std::string shots = Shot(f + 55, temp.path, "save.png") + Shot(f + 175, temp.path, "last.png");
  const SPlay play = Play(game, temp.path, input, f + 250, shots);
  EXPECT_EQ(play.Frame(play.Find({Menu(0, 2)})), f + 10);
  EXPECT_EQ(play.Count("\"event\":\"save\""), 1) << "the closed question saved nothing";
  EXPECT_EQ(play.Frame(play.Find({Slot("save", 5)})), f + 106) << "the selection stopped at slot 5";
  EXPECT_EQ(play.Frame(play.Find({Menu(2, 0)})), f + 120) << "the screen stayed open until Escape";
  EXPECT_EQ(play.Frame(play.Find({Slot("load", 5)})), f + 211);
  EXPECT_EQ(play.Count("\"msgbox\""), 0);
  // Rows of 24 pixels from y 80: the save screen's selection is row 2 of page 1; on the load
  // screen's last page slot 9 is alone in row 0 and the rows below it are empty.
  EXPECT_TRUE(Bright(ShotPixel(temp.path / "save.png", 45, 140)));
  EXPECT_FALSE(Bright(ShotPixel(temp.path / "save.png", 45, 92)));
  EXPECT_TRUE(Bright(ShotPixel(temp.path / "last.png", 45, 92)));
  EXPECT_FALSE(Bright(ShotPixel(temp.path / "last.png", 45, 116)));
}

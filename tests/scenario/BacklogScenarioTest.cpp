// The backlog of the sample game played headless by the zel binary, with the redraw check: it opens
// with the wheel, replays a page's voice and closes with a backward notch. Input frames are laid out
// from the playthrough's page comments.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "MenuScreenRun.h"
#include "io/TempDir.h"

using namespace menurun;

namespace {

// The playthrough's events before the first key after a comment line that starts with prefix, and
// that key's frame.
std::string PlaythroughUntil(const char8_t* utf8Prefix, long& keyFrame) {
  const std::string prefix(reinterpret_cast<const char*>(utf8Prefix));
  std::ifstream in(std::string(ZEL_SOURCE_DIR) + "/sample/playthrough.input");
  std::string before;
  bool found = false;
  for (std::string line; std::getline(in, line);) {
    found = found || line.rfind(prefix, 0) == 0;
    long frame = 0;
    if (line.empty() || line[0] == '#' || !(std::istringstream(line) >> frame)) continue;
    if (found) {
      keyFrame = frame;
      return before;
    }
    before += line + "\n";
  }
  ADD_FAILURE() << "no event after " << prefix;
  return before;
}

class BacklogScenario : public ::testing::Test {
 protected:
  const CTempDir temp;
};

// Waiting on the page "大きな字、特大です。", the backlog holds far more pages than its four rows; the
// newest is "赤い文字も、…" with voice v002, the one before it the greeting with v001.
TEST_F(BacklogScenario, TheBacklogOpensWithTheWheelReplaysAVoiceAndClosesWithABackwardNotch) {
  long key = 0;
  std::string input = PlaythroughUntil(u8"# page: 大きな字", key);
  input += At(key, "move 790 10") + At(key + 1, "wheel 120") + At(key + 25, "key RETURN") +
           At(key + 30, "key UP") + At(key + 31, "key SPACE");
  for (int i = 0; i < 40; ++i) input += At(key + 35 + i, "key UP");
  for (int i = 0; i < 50; ++i) input += At(key + 85 + i, "wheel -120");
  const SPlay play =
      Play(temp.path, input, key + 150,
           Shot(key + 20, temp.path / "newest.png") + Shot(key + 80, temp.path / "oldest.png"));
  const int opened = play.Find({Menu(0, 7)}, key);
  ASSERT_GE(opened, 0);
  EXPECT_EQ(play.Frame(opened), key + 1);
  const std::string voice = "\"event\":\"sound\",\"action\":\"play\",\"channel\":3";
  const int first = play.Find({voice}, key + 1);
  ASSERT_GE(first, 0);
  EXPECT_EQ(play.Frame(first), key + 25);
  EXPECT_NE(play.events[first].find("v002"), std::string::npos) << play.events[first];
  const int second = play.Find({voice}, key + 26);
  ASSERT_GE(second, 0);
  EXPECT_EQ(play.Frame(second), key + 31);
  EXPECT_NE(play.events[second].find("v001"), std::string::npos) << play.events[second];
  const int closed = play.Find({Menu(7, 0)}, key);
  ASSERT_GE(closed, 0);
  EXPECT_GT(play.Frame(closed), key + 90) << "the first backward notches scroll down to the newest page";
  EXPECT_LT(play.Frame(closed), key + 135);
  // The scroll bar's thumb (light grey) ends at the bottom of its track while the newest pages show
  // and starts at the top after the Up keys.
  const std::vector<uint32_t> newest = ShotPixels(temp.path / "newest.png");
  const std::vector<uint32_t> oldest = ShotPixels(temp.path / "oldest.png");
  ASSERT_EQ(newest.size(), 800u * 600u);
  ASSERT_EQ(oldest.size(), 800u * 600u);
  auto thumb = [](const std::vector<uint32_t>& shot, int y) {
    return (shot[y * 800 + 764] & 0xFFFFFF) == 0xC0C0C0u;
  };
  EXPECT_TRUE(thumb(newest, 560));
  EXPECT_FALSE(thumb(newest, 80));
  EXPECT_TRUE(thumb(oldest, 80));
  EXPECT_FALSE(thumb(oldest, 560));
}

}  // namespace

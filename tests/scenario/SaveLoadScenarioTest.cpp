// The sample game played headless as the runner plays it (scripted input, one tick a frame): a
// quick save at a page of its route, loaded into a fresh engine, plays the rest of the route with
// the same input exactly as the original game goes on.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "PlaythroughInput.h"
#include "app/GameSaves.h"
#include "app/GameSystem.h"
#include "app/MainFrame.h"
#include "io/Path.h"
#include "io/ScratchFolder.h"
#include "io/Trace.h"
#include "io/TraceEvents.h"
#include "persist/Settings.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

// The playthrough's events from frame `from` on, moved `shift` frames earlier.
std::string ShiftedInput(int64_t from, int64_t shift) {
  std::ifstream in(std::string(ZEL_SOURCE_DIR) + "/sample/playthrough.input");
  std::ostringstream out;
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    int64_t frame = 0;
    if (line.empty() || line[0] == '#' || !(words >> frame) || frame < from) continue;
    std::string rest;
    std::getline(words, rest);
    out << frame - shift << rest << "\n";
  }
  return out.str();
}

// One headless player: the main window, its engine and the frame loop of the headless runner.
struct SPlayer {
  explicit SPlayer(const std::string& input) : platform(Script(input), true), frame(platform) {
    frame.Create(false);
    frame.Game().Startup(false);
  }
  static CInputScript Script(const std::string& text) {
    CInputScript script;
    std::string error;
    EXPECT_TRUE(script.Parse(text, error)) << error;
    return script;
  }
  void Run(int64_t count) {
    for (int64_t i = 0; i < count && !frame.IsClosed(); ++i) {
      ++n;
      platform.BeginFrame(n);
      SPlatformEvent event;
      while (!frame.IsClosed() && platform.Events().PollEvent(event)) frame.Dispatch(event);
      platform.AdvanceClock(n);
      const SPoint cursor = platform.Input().GetCursorPos();
      frame.Game().Tick(cursor.x, cursor.y);
    }
  }
  CGameSystem& Game() { return frame.Game(); }

  CHeadlessPlatform platform;
  CMainFrame frame;
  int64_t n = 0;
};

std::vector<std::string> TracedRun(SPlayer& player, int64_t frames, const std::string& path) {
  EXPECT_TRUE(CTrace::Open(path));
  player.Run(frames);
  CTrace::Close();
  return ReadTraceEvents(path);
}

}  // namespace

TEST(SaveLoadScenario, AQuickSaveOfTheSampleRouteGoesOnAsTheOriginal) {
  // Saved on the page "画像の切り替えは以上です。", a few frames before the key that confirms it; the
  // rest of the route runs through screen effects, a movie, decorated text and the ending.
  const int64_t kSaveFrame = KeyFrameAfter(u8"# page: 画像の切り替えは以上です") - 5;
  constexpr int64_t kRest = 4000;
  char buffer[4096];
  const std::string previous = getcwd(buffer, sizeof buffer) ? buffer : ".";
  CScratchFolder saves;
  ASSERT_TRUE(SetExeDirectoryCurrent(std::string(ZEL_BUILD_DIR) + "/sample-game"));
  settings::SetSaveDirectoryOverride(saves.Create("zel-save-scenario"));
  ASSERT_TRUE(settings::LoadSettings());

  auto original = std::make_unique<SPlayer>(ShiftedInput(0, 0));
  ASSERT_TRUE(original->Game().StartNewGame("scenario\\mainScript.adv", ""));
  original->Run(kSaveFrame);
  ASSERT_EQ(original->Game().Mode(), CGameSystem::kModeClickWaitPage);
  ASSERT_TRUE(original->Game().SaveGame(CGameSaves::kQuickSlot));
  const std::vector<std::string> expected = TracedRun(*original, kRest, saves.Path() + "/a.jsonl");
  original.reset();

  SPlayer loaded(ShiftedInput(kSaveFrame + 1, kSaveFrame));
  ASSERT_TRUE(loaded.Game().HasQuickSave());
  ASSERT_TRUE(loaded.Game().LoadGame(CGameSaves::kQuickSlot));
  const std::vector<std::string> actual = TracedRun(loaded, kRest, saves.Path() + "/b.jsonl");
  EXPECT_GT(expected.size(), 50u);
  EXPECT_EQ(actual, expected);

  settings::SetSaveDirectoryOverride("");
  ASSERT_EQ(chdir(previous.c_str()), 0);
}

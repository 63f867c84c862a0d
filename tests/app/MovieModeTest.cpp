// Movies in the engine (mode 15) on the headless backend: pictures by the deterministic clock, the
// sound through the audio device at the music volume, the ways a movie ends, and files that cannot
// be played.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "SampleEngine.h"
#include "audio/MoviePlayback.h"
#include "io/LooseFiles.h"
#include "persist/Settings.h"
#include "platform/MovieTestFiles.h"
#include "platform/VirtualKeys.h"
#include "script/ScriptRunner.h"

namespace fs = std::filesystem;

namespace {

class MovieModeTest : public CSampleEngineTest {
 protected:
  void SetUp() override {
    CSampleEngineTest::SetUp();
    folder = "movietest-" + std::to_string(getpid());
    fs::create_directories(folder);
    CLooseFiles::Instance().ForgetListings();
    settings::Config().SetValue(CPlayerConfig::kVolumeBgm, 256);
  }
  void TearDown() override {
    fs::remove_all(folder);
    CSampleEngineTest::TearDown();
  }
  std::string Data(const std::string& name) const { return folder + "\\" + name; }
  std::string Host(const std::string& name) const { return folder + "/" + name; }
  // Writes a script that plays the movie and then shows a page, and starts a game with it.
  void StartScriptWithMovie(const std::string& movie) {
    std::ofstream(Host("m.adv")) << "<MOVIE SRC=" << Data(movie) << ">\nafter\n\n";
    CLooseFiles::Instance().ForgetListings();
    ASSERT_TRUE(game.StartNewGame(Data("m.adv"), ""));
  }
  // Runs frames until the engine is in the movie mode; the frame it entered it.
  int64_t RunUntilMovie() {
    for (int i = 0; i < 10 && game.Mode() != CGameSystem::kModeMovie; ++i) RunFrames(1);
    EXPECT_EQ(game.Mode(), CGameSystem::kModeMovie);
    return frame;
  }
  uint32_t At(int x, int y) { return game.Display().Pixels()[y * 800 + x]; }

  std::string folder;
};

// A 16:9 movie without sound on the 800 × 600 screen: rows 75 to 524 show it. Frame i of the movie
// (1/30 s each) is on the screen in engine frame 2i + 1 after the start, and the script goes on in
// the frame in which the movie's 400 ms are over.
TEST_F(MovieModeTest, PicturesFollowTheClockAndTheScriptGoesOnAtTheEnd) {
  ASSERT_TRUE(movietest::WriteColourMovie(Host("a.mpg"), 160, 90, 12, false));
  StartScriptWithMovie("a.mpg");
  const int64_t start = RunUntilMovie();
  for (int i = 0; i < 12; ++i) {
    RunFrames(i == 0 ? 1 : 2);  // the middle of movie frame i
    ASSERT_EQ(game.Mode(), CGameSystem::kModeMovie) << i;
    EXPECT_TRUE(movietest::Near(At(400, 300), movietest::FrameColour(i), 8)) << "movie frame " << i;
    EXPECT_TRUE(movietest::Near(At(10, 80), movietest::FrameColour(i), 8)) << "movie frame " << i;
    EXPECT_EQ(At(400, 70) & 0xFFFFFF, 0u) << "bar above";
    EXPECT_EQ(At(400, 530) & 0xFFFFFF, 0u) << "bar below";
  }
  RunFrames(1);
  EXPECT_EQ(frame - start, 24);
  EXPECT_NE(game.Mode(), CGameSystem::kModeMovie) << "400 ms are 24 ticks";
  EXPECT_EQ(game.Movie(), nullptr);
  RunFrames(60);
  EXPECT_EQ(game.Mode(), CGameSystem::kModeClickWaitPage) << "the script went on to its page";
}

TEST_F(MovieModeTest, SoundPlaysThroughTheDeviceAtTheMusicVolume) {
  ASSERT_TRUE(movietest::WriteColourMovie(Host("s.mpg"), 64, 48, 30, true));
  const std::string wav = Host("out.wav");
  int peaks[2] = {0, 0};
  for (int run = 0; run < 2; ++run) {
    settings::Config().SetValue(CPlayerConfig::kVolumeBgm, run == 0 ? 256 : 128);
    ASSERT_TRUE(platform.OpenAudioOutput(wav));
    StartScriptWithMovie("s.mpg");
    RunUntilMovie();
    ASSERT_TRUE(game.Movie());
    EXPECT_EQ(game.Movie()->Volume(), run == 0 ? 0 : -693);
    RunFrames(40);
    game.OnKeyDown(vk::kReturn, 1, 0);
    platform.CloseAudioOutput();
    std::ifstream in(wav, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (size_t i = 44; i + 1 < bytes.size(); i += 2) {
      const int16_t v = static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) | bytes[i + 1] << 8);
      peaks[run] = std::max(peaks[run], std::abs(static_cast<int>(v)));
    }
  }
  // The tone (amplitude 8000) at full volume, then 6.93 dB down: half the amplitude (0.4502).
  EXPECT_NEAR(peaks[0], movietest::kToneAmplitude, 800);
  EXPECT_NEAR(peaks[1], peaks[0] * 0.4502, 300);
}

// A click, Enter or Space ends the movie at once, and so does leaving the window; the time the
// movie took is not charged to the game.
TEST_F(MovieModeTest, ConfirmOrDeactivationEndsTheMovieEarly) {
  ASSERT_TRUE(movietest::WriteColourMovie(Host("a.mpg"), 160, 90, 60, false));
  const std::function<void()> ends[] = {
      [&] { game.OnLButtonDown(0, 400, 300); }, [&] { game.OnKeyDown(vk::kReturn, 1, 0); },
      [&] { game.OnKeyDown(vk::kSpace, 1, 0); }, [&] { game.SetInactive(true); }};
  for (const auto& end : ends) {
    StartScriptWithMovie("a.mpg");
    RunUntilMovie();
    RunFrames(5);
    // Other keys do not reach the game underneath.
    game.OnKeyDown('S', 1, 0);
    game.OnKeyDown(vk::kEscape, 1, 0);
    game.OnRButtonDown(0, 400, 300);
    ASSERT_EQ(game.Mode(), CGameSystem::kModeMovie);
    EXPECT_EQ(game.MenuState(), 0);
    end();
    EXPECT_EQ(game.Mode(), CGameSystem::kModeScript);
    EXPECT_TRUE(game.Clock().TimeDiscarded());
    game.SetInactive(false);
    RunFrames(60);
    EXPECT_EQ(game.Mode(), CGameSystem::kModeClickWaitPage);
  }
}

// A missing or broken file is reported once and ends the movie at once: the script goes on, and
// without a script the title follows.
TEST_F(MovieModeTest, FileThatCannotBePlayedEndsAtOnceWithTheFileError) {
  std::ofstream(Host("noise.mpg"), std::ios::binary) << std::string(20000, '\x47');
  for (const char* name : {"missing.mpg", "noise.mpg"}) {
    testing::internal::CaptureStderr();
    StartScriptWithMovie(name);
    RunFrames(1);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find(Data(name)), std::string::npos) << errors;
    EXPECT_NE(game.Mode(), CGameSystem::kModeMovie);
    RunFrames(60);
    EXPECT_EQ(game.Mode(), CGameSystem::kModeClickWaitPage) << name;
  }
  game.ResetGame();
  game.PlayMovie(Data("missing.mpg"));
  EXPECT_EQ(game.Mode(), CGameSystem::kModeTitle);
}

TEST_F(MovieModeTest, PssStreamsInAnyCaseAreNotPlayed) {
  ASSERT_TRUE(movietest::WriteColourMovie(Host("a.pss"), 64, 48, 6, false));
  game.ResetGame();
  for (const char* name : {"a.pss", "a.PSS", "a.Pss"}) {
    game.PlayMovie(Data(name));
    EXPECT_EQ(game.Mode(), CGameSystem::kModeScript) << name;
    EXPECT_EQ(game.Movie(), nullptr);
  }
}

}  // namespace

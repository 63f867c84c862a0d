#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "MovieTestFiles.h"
#include "platform/ShapeFit.h"
#include "platform/movie/FfmpegMoviePlayer.h"

namespace fs = std::filesystem;

namespace {

TEST(ShapeFitTest, KeepsTheShapeCentredWithBars) {
  auto expect = [](SRect r, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
  };
  expect(FitKeepingShape(640, 360, 800, 600), 0, 75, 800, 525);   // wide: bars above and below
  expect(FitKeepingShape(300, 600, 800, 600), 250, 0, 550, 600);  // tall: bars left and right
  expect(FitKeepingShape(320, 240, 800, 600), 0, 0, 800, 600);    // the screen's own shape
  // Pixels that are not square: 352 × 288 at 12:11 shows as 4:3.
  expect(FitKeepingShape(352 * 12, 288 * 11, 800, 600), 0, 0, 800, 600);
  expect(FitKeepingShape(0, 100, 800, 600), 0, 0, 800, 600);
  // Never thinner than a pixel.
  expect(FitKeepingShape(100000, 1, 800, 600), 0, 299, 800, 300);
}

class MoviePlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("zel-movie-" + std::to_string(getpid()));
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string Path(const char* name) const { return (dir / name).string(); }

  fs::path dir;
  CFfmpegMoviePlayer simulated{true};
};

// Frame i of a 30 fps movie shows from i × 1000 / 30 ms on; a 16:9 picture on a 4:3 output has
// black bars above and below.
TEST_F(MoviePlayerTest, PicturesFollowTheirPresentationTimesWithBars) {
  ASSERT_TRUE(movietest::WriteColourMovie(Path("a.mpg"), 160, 90, 12, false));
  std::unique_ptr<IMovie> movie = simulated.Open(Path("a.mpg"), 80, 60);
  ASSERT_TRUE(movie);
  ASSERT_TRUE(movie->WaitUntilReady(1000));
  EXPECT_FALSE(movie->HasAudio());
  for (int frame : {0, 1, 5, 11}) {
    const int64_t ms = frame * 1000 / 30 + 10;
    const uint32_t* picture = movie->PictureAt(ms);
    ASSERT_TRUE(picture) << frame;
    int wrong = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 80; ++x) {
        const bool bar = y < 7 || y >= 52;  // 80 × 45 centred: rows 7.5 to 52.5
        if (y == 7 || y == 52) continue;    // the rows the picture's edge may share
        const uint32_t expected = bar ? 0xFF000000 : movietest::FrameColour(frame);
        if (!movietest::Near(picture[y * 80 + x], expected, 6) || (picture[y * 80 + x] >> 24) != 0xFF)
          ++wrong;
      }
    EXPECT_EQ(wrong, 0) << "frame " << frame;
  }
  // Asking again for a time within the same frame gives no new picture.
  EXPECT_EQ(movie->PictureAt(11 * 1000 / 30 + 20), nullptr);
  EXPECT_EQ(movie->Length(), 400);  // twelve frames of 1/30 s
  EXPECT_FALSE(movie->Failed());
}

TEST_F(MoviePlayerTest, SoundIsResampledToTheDeviceFormatAndLastsAsLongAsThePicture) {
  ASSERT_TRUE(movietest::WriteColourMovie(Path("s.mpg"), 64, 48, 15, true));
  std::vector<std::vector<uint8_t>> runs;
  for (int run = 0; run < 2; ++run) {
    std::unique_ptr<IMovie> movie = simulated.Open(Path("s.mpg"), 64, 48);
    ASSERT_TRUE(movie && movie->WaitUntilReady(1000));
    ASSERT_TRUE(movie->HasAudio());
    movie->PictureAt(100000);  // to the last picture, so the picture's end is known too
    std::vector<uint8_t> all;
    uint8_t chunk[4096];
    for (uint32_t got; (got = movie->ReadAudio(chunk, sizeof chunk)) > 0;)
      all.insert(all.end(), chunk, chunk + got);
    runs.push_back(all);
    // Half a second of sound, up to one coded frame of padding and the coder's delay.
    const int64_t length = movie->Length();
    EXPECT_GE(length, 500);
    EXPECT_LE(length, 560);
  }
  EXPECT_EQ(runs[0], runs[1]) << "decoding is repeatable";
  const auto* samples = reinterpret_cast<const int16_t*>(runs[0].data());
  const size_t count = runs[0].size() / 2;
  ASSERT_GE(count, 2u * 22050);
  int peak = 0;
  bool stereoEqual = true;
  for (size_t i = 4000; i + 1 < 2 * 20000; i += 2) {
    peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
    stereoEqual = stereoEqual && std::abs(samples[i] - samples[i + 1]) < 64;
  }
  EXPECT_NEAR(peak, movietest::kToneAmplitude, movietest::kToneAmplitude / 10);
  EXPECT_TRUE(stereoEqual);
}

TEST_F(MoviePlayerTest, FilesThatAreNotMoviesDoNotOpen) {
  EXPECT_EQ(simulated.Open(Path("missing.mpg"), 64, 48), nullptr);
  std::ofstream(Path("noise.mpg"), std::ios::binary) << std::string(5000, '\x5A');
  EXPECT_EQ(simulated.Open(Path("noise.mpg"), 64, 48), nullptr);
  std::ofstream(Path("empty.mpg"), std::ios::binary).flush();
  EXPECT_EQ(simulated.Open(Path("empty.mpg"), 64, 48), nullptr);
}

// A file cut short plays what it holds and ends; nothing waits for the rest.
TEST_F(MoviePlayerTest, TruncatedMoviePlaysWhatItHolds) {
  ASSERT_TRUE(movietest::WriteColourMovie(Path("t.mpg"), 64, 48, 30, true));
  fs::resize_file(Path("t.mpg"), fs::file_size(Path("t.mpg")) / 3);
  std::unique_ptr<IMovie> movie = simulated.Open(Path("t.mpg"), 64, 48);
  ASSERT_TRUE(movie && movie->WaitUntilReady(1000));
  EXPECT_TRUE(movie->PictureAt(0));
  movie->PictureAt(5000);
  uint8_t chunk[4096];
  while (movie->ReadAudio(chunk, sizeof chunk) > 0) {
  }
  EXPECT_GT(movie->Length(), 0);
  EXPECT_LE(movie->Length(), 1100);
  EXPECT_FALSE(movie->Failed());
}

// The real-time player never waits for a picture: it shows what is decoded.
TEST_F(MoviePlayerTest, RealTimePlayerShowsTheFirstPictureOnceReady) {
  ASSERT_TRUE(movietest::WriteColourMovie(Path("r.mpg"), 64, 48, 6, false));
  CFfmpegMoviePlayer realTime(false);
  std::unique_ptr<IMovie> movie = realTime.Open(Path("r.mpg"), 64, 48);
  ASSERT_TRUE(movie && movie->WaitUntilReady(2000));
  const uint32_t* picture = movie->PictureAt(0);
  ASSERT_TRUE(picture);
  EXPECT_TRUE(movietest::Near(picture[24 * 64 + 32], movietest::FrameColour(0), 6));
}

}  // namespace

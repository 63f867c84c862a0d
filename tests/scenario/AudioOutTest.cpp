// The headless mix of the sample game written with --audio-out: repeatable byte for byte, silent
// during the logos and carrying the title music once the title shows.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CommandRun.h"

namespace fs = std::filesystem;

namespace {

std::string RunToWav(const fs::path& wav, const fs::path& saveDir) {
  const std::string command = kZelHeadless + "--frames 540 --audio-out " + wav.string() + " --save-dir " +
                              saveDir.string() + " " + ZEL_BUILD_DIR + "/sample-game > /dev/null 2>&1";
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  std::ifstream in(wav, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Root mean square of the 16-bit stereo samples between two times (seconds) after the 44-byte header.
double Rms(const std::string& wav, double from, double to) {
  const size_t first = 44 + static_cast<size_t>(from * 44100) * 4;
  const size_t last = std::min(wav.size(), 44 + static_cast<size_t>(to * 44100) * 4);
  double sum = 0;
  size_t count = 0;
  for (size_t i = first; i + 1 < last; i += 2, ++count) {
    int16_t sample;
    std::memcpy(&sample, wav.data() + i, 2);
    sum += static_cast<double>(sample) * sample;
  }
  return count ? std::sqrt(sum / static_cast<double>(count)) : 0.0;
}

}  // namespace

TEST(AudioOut, SampleMixIsRepeatableSilentForTheLogosAndCarriesTheTitleMusic) {
  const fs::path dir = fs::temp_directory_path() / ("zel-audio-" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string first = RunToWav(dir / "a.wav", dir);
  const std::string second = RunToWav(dir / "b.wav", dir);
  ASSERT_GT(first.size(), 44u);
  EXPECT_EQ(first.substr(0, 4), "RIFF");
  EXPECT_EQ(first.substr(8, 4), "WAVE");
  EXPECT_TRUE(first == second) << "two runs of the same command mix the same bytes";
  // 540 frames are 9 s of 44100 Hz stereo 16-bit sound.
  EXPECT_NEAR(static_cast<double>(first.size() - 44), 9.0 * 44100 * 4, 44100 * 4 * 0.05);
  // The logos run until frame 362 (about 6 s) without sound; the opening movie's sound follows.
  EXPECT_LT(Rms(first, 0.0, 5.9), 1.0);
  EXPECT_GT(Rms(first, 6.5, 8.5), 200.0);
  fs::remove_all(dir);
}

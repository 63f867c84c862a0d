// Damaged game data given to the built player and tools: every case ends with a clear message or a
// running game, never with a crash or a sanitizer report.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "CommandRun.h"

namespace fs = std::filesystem;

namespace {

const std::string kBuild = ZEL_BUILD_DIR;

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool Crashed(const SRun& run) {
  return run.status < 0 || run.output.find("Sanitizer") != std::string::npos ||
         run.output.find("runtime error") != std::string::npos;
}

// A copy of the sample game in a fresh folder, removed at the end of the test.
class BadInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("zel-badinput-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy(kBuild + "/sample-game", game, fs::copy_options::recursive);
  }
  void TearDown() override { fs::remove_all(dir); }

  SRun Zel(const std::string& arguments) const {
    return RunCommand("\"" + kBuild + "/zel\" --headless --trace - --save-dir \"" + (dir / "saves").string() +
                      "\" " + arguments + " \"" + game.string() + "\"");
  }
  SRun Tool(const std::string& arguments) const {
    return RunCommand("\"" + kBuild + "/zeltool\" " + arguments);
  }
  // Rebuilds the system archive with setting.csv replaced.
  void ReplaceSettings(const std::string& csv) const {
    const fs::path unpacked = dir / "unpacked";
    ASSERT_EQ(Tool("arc extract \"" + (game / "system").string() + "\" \"" + unpacked.string() + "\"").status,
              0);
    WriteFile(unpacked / "setting.csv", csv);
    ASSERT_EQ(Tool("arc pack \"" + (game / "system").string() + "\" \"" + unpacked.string() + "\"").status,
              0);
  }
  std::string SampleSettings() const {
    const SRun cat = Tool("cat \"" + game.string() + "\" 'system\\setting.csv'");
    EXPECT_EQ(cat.status, 0);
    return cat.output;
  }

  fs::path dir;
  fs::path game = fs::temp_directory_path() / ("zel-badinput-" + std::to_string(getpid())) / "game";
};

}  // namespace

TEST_F(BadInputTest, UnusableSystemArchiveIsReported) {
  const std::string error =
      Utf8(u8"\"event\":\"msgbox\",\"caption\":\"error\",\"text\":\"system ファイルが開けません\"");
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) >> 3);
  const std::string original = ReadFile(game / "system");
  const std::pair<const char*, std::string> cases[] = {
      {"empty", ""},
      {"magic only", "ARC2"},
      {"index cut short", original.substr(0, 40)},
      {"garbage", garbage},
      {"huge entry count", std::string("ARC2\xFF\xFF\xFF\x7F", 8) + std::string(64, '\x11')},
  };
  for (const auto& [what, bytes] : cases) {
    fs::remove_all(game / "system");
    WriteFile(game / "system", bytes);
    const SRun run = Zel("--frames 10");
    EXPECT_FALSE(Crashed(run)) << what << ": " << run.output;
    EXPECT_EQ(run.status, 1) << what;
    EXPECT_NE(run.output.find(error), std::string::npos) << what << ": " << run.output;
  }
  fs::remove_all(game / "system");
  fs::create_directories(game / "system");
  const SRun folder = Zel("--frames 10");
  EXPECT_EQ(folder.status, 1);
  EXPECT_NE(folder.output.find(error), std::string::npos) << folder.output;
}

TEST_F(BadInputTest, DamagedSettingsStillStartTheGame) {
  const std::string sample = SampleSettings();
  ASSERT_FALSE(sample.empty());
  std::string columns;
  for (int i = 0; i < 5000; ++i) columns += ",c" + std::to_string(i);
  const std::string cases[] = {
      sample + "長い行," + std::string(4 << 20, 'x') + "\r\n",
      sample + "列" + columns + "\r\n" + columns + "\r\n",
      sample + std::string("\0\0,\0\r\n\0", 7) + "フォント名,\0\r\n",
      sample + "\x81\r\n\xFF\xFE\xFD,\x80\x81\r\nタイトル,\x9F\r\n",
      std::string("\x81,\x82\r\n") + sample,
  };
  int index = 0;
  for (const std::string& csv : cases) {
    ReplaceSettings(csv);
    const SRun run = Zel("--frames 200");
    EXPECT_FALSE(Crashed(run)) << index << ": " << run.output.substr(0, 2000);
    EXPECT_EQ(run.status, 0) << index << ": " << run.output.substr(0, 2000);
    ++index;
  }
}

TEST_F(BadInputTest, ScriptOfTensOfMegabytesOfBrackets) {
  WriteFile(game / "scenario" / "brackets.adv", std::string(24 << 20, '<'));
  const SRun run = Zel("--frames 30 --start 'scenario\\brackets.adv'");
  EXPECT_FALSE(Crashed(run)) << run.output.substr(0, 2000);
  EXPECT_EQ(run.status, 0) << run.output.substr(0, 2000);
}

// Image headers that claim 100000 x 100000 pixels are refused before any pixel memory is taken: the
// tool says the file is no image it can decode, and the player shows the scene without it.
TEST_F(BadInputTest, ImageHeadersClaimingHugeSizes) {
  std::string bmp = std::string("BM") + std::string(12, '\0');
  const auto le32 = [](uint32_t v) {
    return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
  };
  bmp = "BM" + le32(70) + le32(0) + le32(54) + le32(40) + le32(100000) + le32(100000) +
        std::string("\1\0\x18\0", 4) + le32(0) + le32(0) + le32(0) + le32(0) + le32(0) + le32(0) +
        std::string(16, '\x7F');
  WriteFile(game / "anime" / "huge.bmp", bmp);
  const std::string tim2 = std::string("TIM2\4\0\1\0", 8) + std::string(8, '\0') + le32(48 + 16) + le32(0) +
                           le32(16) + std::string("\x30\0\0\0\0\1\0\3", 8) +
                           std::string("\xFF\xFF\xFF\xFF", 4) + std::string(24, '\0') + std::string(16, '\1');
  WriteFile(game / "anime" / "huge.tm2", tim2);
  for (const char* name : {"anime\\huge.bmp", "anime\\huge.tm2"}) {
    const SRun tool =
        Tool("img2png \"" + game.string() + "\" '" + name + "' \"" + (dir / "out.png").string() + "\"");
    EXPECT_EQ(tool.status, 1) << name;
    EXPECT_NE(tool.output.find("not a valid PNG, TIM2 or BMP image"), std::string::npos) << tool.output;
    EXPECT_FALSE(fs::exists(dir / "out.png"));
  }
  WriteFile(game / "scenario" / "huge.adv",
            "<IMG SRC=anime\\huge.bmp PLACE=BG><IMG SRC=anime\\huge.tm2 PLACE=PERSON1>あ\r\n\r\n");
  const SRun run = Zel("--frames 60 --start 'scenario\\huge.adv'");
  EXPECT_FALSE(Crashed(run)) << run.output;
  EXPECT_EQ(run.status, 0) << run.output;
}

// The tools exit 1 after reporting an error, and name what they cannot convert.
TEST_F(BadInputTest, ToolsFailWhenTheyReportAnError) {
  // Without system\setting.csv the settings loader reports the file: the tool must not exit 0.
  const fs::path unpacked = dir / "unpacked";
  ASSERT_EQ(Tool("arc extract \"" + (game / "system").string() + "\" \"" + unpacked.string() + "\"").status,
            0);
  fs::remove(unpacked / "setting.csv");
  ASSERT_EQ(Tool("arc pack \"" + (game / "system").string() + "\" \"" + unpacked.string() + "\"").status, 0);
  for (const char* command : {"img2png", "snd2wav"}) {
    const SRun run = Tool(std::string(command) + " \"" + game.string() + "\" 'anime\\heroine.png' \"" +
                          (dir / "out").string() + "\"");
    EXPECT_EQ(run.status, 1) << command << ": " << run.output;
    EXPECT_NE(run.output.find("system\\setting.csv"), std::string::npos) << run.output;
  }
}

TEST_F(BadInputTest, Snd2WavNamesPcmDepthsItCannotPlay) {
  const auto le16 = [](uint32_t v) { return std::string{char(v), char(v >> 8)}; };
  const auto le32 = [](uint32_t v) {
    return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
  };
  const auto wave = [&](uint16_t tag, uint16_t bits) {
    const uint16_t align = static_cast<uint16_t>(2 * bits / 8);
    return "RIFF" + le32(36 + 12) + "WAVEfmt " + le32(16) + le16(tag) + le16(2) + le32(44100) +
           le32(44100 * align) + le16(align) + le16(bits) + "data" + le32(12) + std::string(12, '\1');
  };
  const std::pair<std::string, std::string> cases[] = {
      {wave(1, 24), "24-bit PCM"}, {wave(1, 32), "32-bit PCM"}, {wave(2, 4), "compressed"}};
  for (const auto& [bytes, expected] : cases) {
    WriteFile(game / "se" / "odd.wav", bytes);
    const SRun run =
        Tool("snd2wav \"" + game.string() + "\" 'se\\odd.wav' \"" + (dir / "out.wav").string() + "\"");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find(expected), std::string::npos) << run.output;
    if (expected != "compressed") {
      EXPECT_EQ(run.output.find("compressed"), std::string::npos) << run.output;
    }
  }
}

// The player's reading aids, played headless on the text-hook test game: the JSON line per page on
// standard output, Ctrl+C copying the page, and the screenshot key.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CommandRun.h"
#include "io/TempDir.h"

namespace fs = std::filesystem;

namespace {

const std::string kGames = std::string(ZEL_SOURCE_DIR) + "/tests/games/text_hook";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The raw (still escaped) string field of the events of one kind in a trace.
std::vector<std::string> TraceFields(const fs::path& trace, const std::string& event,
                                     const std::string& field) {
  std::vector<std::string> values;
  std::istringstream in(ReadAll(trace));
  for (std::string line; std::getline(in, line);) {
    if (line.find("\"event\":\"" + event + "\"") == std::string::npos) continue;
    const std::string key = "\"" + field + "\":\"";
    const size_t begin = line.find(key) + key.size();
    size_t end = begin;
    while (end < line.size() && line[end] != '"') end += line[end] == '\\' ? 2 : 1;
    values.push_back(line.substr(begin, end - begin));
  }
  return values;
}

// Plays the game headless with play.input; standard output (and error) is returned.
SRun Play(const fs::path& game, const fs::path& dir, const std::string& extra) {
  return RunCommand("XDG_PICTURES_DIR=\"" + (dir / "pictures").string() + "\" " + kZelHeadless +
                    "--start 'scenario\\mainScript.adv' --frames 130 --input \"" + kGames +
                    "/play.input\" --trace \"" + (dir / "trace.json").string() + "\" " + extra + " \"" +
                    game.string() + "\"");
}

std::vector<fs::path> Files(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) files.push_back(entry.path());
  return files;
}

}  // namespace

TEST(TextHookRun, EveryPageIsOneJsonLineMatchingTheClickTrace) {
  const CTempDir temp;
  const fs::path game = BuildTestGame("text_hook", temp.path);
  ASSERT_FALSE(game.empty());
  fs::create_directories(temp.path / "pictures");
  const SRun run = Play(game, temp.path, "--text-hook stdout");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output, ReadAll(kGames + "/expected-hook.txt"));
  // Each line carries the page of a click event, in the same order.
  const std::vector<std::string> pages = TraceFields(temp.path / "trace.json", "click", "page");
  std::istringstream lines(run.output);
  size_t index = 0;
  for (std::string line; std::getline(lines, line); ++index) {
    ASSERT_LT(index, pages.size());
    EXPECT_NE(line.find("\"text\":\"" + pages[index] + "\""), std::string::npos) << line;
  }
  EXPECT_EQ(index, pages.size());
  EXPECT_TRUE(TraceFields(temp.path / "trace.json", "msgbox", "text").empty());
}

TEST(TextHookRun, CtrlCCopiesTheShownPageWithReadingsInParentheses) {
  const CTempDir temp;
  const fs::path game = BuildTestGame("text_hook", temp.path);
  ASSERT_FALSE(game.empty());
  const SRun run = Play(game, temp.path, "");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(TraceFields(temp.path / "trace.json", "clipboard", "text"),
            (std::vector<std::string>{reinterpret_cast<const char*>(
                                          u8"今日は漢字(かんじ)の話です。\\n二行目に読(よ)みを付けます。"),
                                      reinterpret_cast<const char*>(u8"\\\"はい\\\"と答えた。続きの文。")}));
}

TEST(TextHookRun, F12WritesTheShownFrameAsTheHeadlessShotDoes) {
  const CTempDir temp;
  const fs::path game = BuildTestGame("text_hook", temp.path);
  ASSERT_FALSE(game.empty());
  fs::create_directories(temp.path / "pictures");
  // F12 is handled before frame 50 runs, so the screen is frame 49's.
  const SRun run = Play(game, temp.path, "--shot 49 \"" + (temp.path / "shot.png").string() + "\"");
  ASSERT_EQ(run.status, 0) << run.output;
  const std::vector<fs::path> shots = Files(temp.path / "pictures" / "zel");
  ASSERT_EQ(shots.size(), 1u);
  EXPECT_EQ(shots[0].filename().string().rfind(reinterpret_cast<const char*>(u8"読み上げ_テスト 20"), 0), 0u)
      << shots[0];
  EXPECT_EQ(shots[0].extension(), ".png");
  EXPECT_EQ(ReadAll(shots[0]), ReadAll(temp.path / "shot.png"));
  EXPECT_EQ(TraceFields(temp.path / "trace.json", "screenshot", "file"),
            (std::vector<std::string>{shots[0].string()}));
}

TEST(TextHookRun, F12BelongsToTheGameWhenItIsOneOfItsShortcuts) {
  const CTempDir temp;
  fs::copy(kGames, temp.path / "source", fs::copy_options::recursive);
  std::ofstream(temp.path / "source/game/system/setting.csv", std::ios::app)
      << reinterpret_cast<const char*>(u8"ショートカットキー,クイックセーブ,F12\n");
  // The sample's message window, whose buttons make the shortcut usable.
  fs::copy_file(std::string(ZEL_SOURCE_DIR) + "/sample/game/system/window/window.scn",
                temp.path / "source/game/system/window/window.scn", fs::copy_options::overwrite_existing);
  const fs::path game = temp.path / "game";
  const SRun build = RunCommand("\"" + std::string(ZEL_BUILD_DIR) + "/zel-samplebuild\" \"" +
                                (temp.path / "source").string() + "\" \"" + game.string() + "\" \"" +
                                std::string(ZEL_BUILD_DIR) + "/zeltool\"");
  ASSERT_EQ(build.status, 0) << build.output;
  fs::create_directories(temp.path / "pictures");
  const SRun run = Play(game, temp.path, "");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_TRUE(Files(temp.path / "pictures" / "zel").empty());
  EXPECT_TRUE(TraceFields(temp.path / "trace.json", "screenshot", "file").empty());
  // The game's own F12 asked for the quick save (menu state 8).
  EXPECT_NE(ReadAll(temp.path / "trace.json").find("\"event\":\"menu\",\"from\":0,\"to\":8"),
            std::string::npos);
}

TEST(TextHookRun, SamplePlaythroughPrintsOneLinePerClickPage) {
  const CTempDir temp;
  // The redraw check of this route is the playthrough test's; this run only reads the pages.
  const SRun run = RunCommand(
      "\"" + std::string(ZEL_BUILD_DIR) +
      "/zel\" --headless --text-hook stdout --start 'scenario\\mainScript.adv' --frames 12000 --input \"" +
      std::string(ZEL_SOURCE_DIR) + "/sample/playthrough.input\" --trace \"" +
      (temp.path / "trace.json").string() + "\" --save-dir \"" + temp.path.string() + "\" \"" +
      std::string(ZEL_BUILD_DIR) + "/sample-game\"");
  ASSERT_EQ(run.status, 0) << run.output;
  const std::vector<std::string> pages = TraceFields(temp.path / "trace.json", "click", "page");
  ASSERT_GT(pages.size(), 20u);
  std::vector<std::string> texts;
  std::istringstream lines(run.output);
  for (std::string line; std::getline(lines, line);) {
    ASSERT_EQ(line.rfind("{\"speaker\":", 0), 0u) << line;
    texts.push_back(line);
  }
  ASSERT_EQ(texts.size(), pages.size());
  for (size_t i = 0; i < pages.size(); ++i)
    EXPECT_NE(texts[i].find("\"text\":\"" + pages[i] + "\",\"ruby\":["), std::string::npos) << texts[i];
}

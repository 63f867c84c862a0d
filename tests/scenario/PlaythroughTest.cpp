// Plays the sample game's whole route and the script test games through the built zel and zeltool
// binaries, and checks their traces and reports.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <typeindex>
#include <vector>

#include "CommandRun.h"
#include "PlaythroughInput.h"
#include "gfx/Surface.h"
#include "io/TempDir.h"
#include "script/BreakCommand.h"
#include "script/ClearCommand.h"
#include "script/ClickLine.h"
#include "script/ColorMapCommand.h"
#include "script/DateCommand.h"
#include "script/DateWindowCommand.h"
#include "script/DemoCommand.h"
#include "script/ExitCommand.h"
#include "script/ExpCommand.h"
#include "script/IfLine.h"
#include "script/ImgCommand.h"
#include "script/JumpCommand.h"
#include "script/KeyWaitCommand.h"
#include "script/KeywordCommand.h"
#include "script/LabelLine.h"
#include "script/LoopLine.h"
#include "script/MapCommand.h"
#include "script/MovieCommand.h"
#include "script/SaveTitleCommand.h"
#include "script/ScreenCommand.h"
#include "script/ScriptFileCommand.h"
#include "script/ScriptParser.h"
#include "script/ScrollCommand.h"
#include "script/SelectLine.h"
#include "script/SoundCommand.h"
#include "script/SpeedCommand.h"
#include "script/SystemCommand.h"
#include "script/WaitCommand.h"
#include "script/WindowCommand.h"

namespace fs = std::filesystem;

namespace {

const std::string kBuild = ZEL_BUILD_DIR;
const std::string kSource = ZEL_SOURCE_DIR;

std::string ReadAll(const fs::path& path) {
  const std::vector<uint8_t> bytes = CTempDir::Read(path.string());
  return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// One event of a JSON-lines trace, with its raw string fields (JSON escapes kept).
struct STraceEvent {
  long frame = -1;
  std::string line;
  std::string Field(const std::string& name) const {
    const std::string key = "\"" + name + "\":";
    const size_t at = line.find(key);
    if (at == std::string::npos) return {};
    size_t begin = at + key.size();
    if (line[begin] != '"') return line.substr(begin, line.find_first_of(",}", begin) - begin);
    std::string value;
    for (size_t i = begin + 1; i < line.size() && line[i] != '"'; ++i) {
      if (line[i] == '\\' && i + 1 < line.size()) value += line[i++];
      value += line[i];
    }
    return value;
  }
  bool Is(const std::string& event) const { return Field("event") == event; }
  bool IsModeChangeTo(int mode) const { return Is("mode") && Field("to") == std::to_string(mode); }
};

std::vector<STraceEvent> ReadTrace(const fs::path& file) {
  std::vector<STraceEvent> events;
  for (const std::string& line : Lines(ReadAll(file))) {
    STraceEvent event;
    event.line = line;
    event.frame = std::stol(event.Field("frame"));
    events.push_back(event);
  }
  return events;
}

// Plays GAME from its main script headless with the given input and returns the trace; extra
// options (screenshots) are passed on.
std::vector<STraceEvent> Play(const fs::path& game, const fs::path& input, long frames, const fs::path& dir,
                              const std::string& options = "") {
  const fs::path trace = dir / "trace.json";
  const SRun run =
      RunCommand(kZelHeadless + "--start 'scenario\\mainScript.adv' --frames " + std::to_string(frames) +
                 " --input \"" + input.string() + "\" --trace \"" + trace.string() + "\" --save-dir \"" +
                 dir.string() + "\" " + options + " \"" + game.string() + "\"");
  EXPECT_EQ(run.status, 0) << run.output;
  return ReadTrace(trace);
}

// The screenshots of the extras the route visits after the title, each a few frames from the key
// of a comment of the playthrough.
struct SExtrasShot {
  const char8_t* comment;
  int offset;
  const char* file;
};
const SExtrasShot kExtrasShots[] = {
    {u8"# album grid: the first entry", -5, "album-grid.png"},
    {u8"# album viewer: the pan to the far end", -2, "album-near.png"},
    {u8"# album viewer: Shift held", -2, "album-far.png"},
    {u8"# album viewer: Shift held", 5, "album-shift.png"},
    {u8"# flashback (at the replayed scene's slot)", -5, "flashback.png"},
    {u8"# music room: the previous track", -5, "music.png"},
};

std::string ExtrasShotOptions(const fs::path& dir) {
  std::string options;
  for (const SExtrasShot& shot : kExtrasShots)
    options += " --shot " + std::to_string(KeyFrameAfter(shot.comment) + shot.offset) + " \"" +
               (dir / shot.file).string() + "\"";
  return options;
}

uint32_t ShotPixel(const fs::path& dir, const char* file, int x, int y) {
  CSurface shot;
  EXPECT_TRUE(shot.Load((dir / file).string())) << file;
  return shot.IsEmpty() ? 0 : shot.Pixel(x, y) & 0xFFFFFFu;
}

// After the title the route enters the album, the flashback (with a replay of its first scene and
// the return to it) and the music room, each from the title and back to it.
void ExpectExtrasVisited(const std::vector<STraceEvent>& events) {
  const std::vector<std::string> expected = {"17>18", "18>17", "17>19", "19>0",
                                             "0>19",  "19>17", "17>21", "21>17"};
  std::vector<std::string> changes, roomMusic;
  bool title = false, room = false;
  for (const STraceEvent& event : events) {
    const std::string change = event.Field("from") + ">" + event.Field("to");
    if (event.Is("mode")) title = title || change == "0>17";
    if (!title || !event.Is("mode") ||
        std::find(expected.begin(), expected.end(), change) == expected.end()) {
      if (room && event.Is("sound") && event.Field("channel") == "1" && event.Field("action") == "play")
        roomMusic.push_back(event.Field("file"));
      continue;
    }
    changes.push_back(change);
    room = change == "17>21";
  }
  EXPECT_EQ(changes, expected);
  EXPECT_EQ(roomMusic, (std::vector<std::string>{"bgm\\\\bgm02.ogg", "bgm\\\\bgm01.ogg"}))
      << "next, then previous";
}

// The extras as the screenshots show them: thumbnails and blanks, the panorama's two ends, the
// viewer's buttons gone while Shift is held, the flashback's cursor back on the replayed scene, the
// music room's picture and scroll bar.
void ExpectExtrasShots(const fs::path& dir) {
  EXPECT_EQ(ShotPixel(dir, "album-grid.png", 235, 170), 0x6286A2u) << "the panorama's thumbnail";
  EXPECT_EQ(ShotPixel(dir, "album-grid.png", 425, 170), 0x404040u) << "a blank past the last entry";
  EXPECT_EQ(ShotPixel(dir, "album-grid.png", 41, 161), 0xFFD040u) << "the cursor on the first slot";
  EXPECT_EQ(ShotPixel(dir, "album-near.png", 2, 10), 0x5070DCu) << "the panorama's left end";
  EXPECT_EQ(ShotPixel(dir, "album-far.png", 2, 10), 0x9B70A0u) << "800 pixels further";
  EXPECT_NE(ShotPixel(dir, "album-far.png", 10, 540), 0x2A5A30u) << "the buttons' strip over the hills";
  EXPECT_EQ(ShotPixel(dir, "album-shift.png", 10, 540), 0x2A5A30u) << "Shift held: the hills alone";
  EXPECT_EQ(ShotPixel(dir, "flashback.png", 41, 161), 0xFFD040u) << "the cursor on the replayed scene";
  EXPECT_EQ(ShotPixel(dir, "music.png", 505, 145), 0x6286A2u) << "the second track's picture";
  EXPECT_EQ(ShotPixel(dir, "music.png", 437, 141), 0xC0C0C0u) << "the scroll bar's up box";
}

TEST(Playthrough, SampleRouteReachesTheTitleWithoutAMessageBox) {
  const CTempDir temp;
  const fs::path& dir = temp.path;
  const std::vector<STraceEvent> events = Play(kBuild + "/sample-game", kSource + "/sample/playthrough.input",
                                               12000, dir, ExtrasShotOptions(dir));
  ASSERT_FALSE(events.empty());
  long previous = 0;
  std::set<std::string> channels, scripts, pages, saves;
  bool ended = false, movie = false, replaying = false;
  for (const STraceEvent& event : events) {
    EXPECT_GE(event.frame, previous) << event.line;
    previous = event.frame;
    EXPECT_FALSE(event.Is("msgbox")) << event.line;
    // After the title only a flashback replay runs a script.
    if (event.Is("mode") && event.Field("from") == "19" && event.Field("to") == "0") replaying = true;
    if (event.Is("mode") && (event.Field("to") == "19" || event.Field("to") == "17")) replaying = false;
    EXPECT_FALSE(ended && !replaying && (event.Is("click") || event.Is("script")))
        << "the scenario goes on: " << event.line;
    if (event.Is("sound") && event.Field("action") == "play") channels.insert(event.Field("channel"));
    if (event.Is("script")) scripts.insert(event.Field("name"));
    if (event.Is("click")) pages.insert(event.Field("page"));
    if (event.Is("save") || event.Is("load")) saves.insert(event.line.substr(event.line.find("\"event\"")));
    movie = movie || event.Is("movie");
    ended = ended || event.IsModeChangeTo(17);
  }
  EXPECT_TRUE(ended) << "the route ends at the title; last event: " << events.back().line;
  ExpectExtrasVisited(events);
  ExpectExtrasShots(dir);
  EXPECT_TRUE(movie);
  // The route returns to its first choice, quick saves near its end and quick loads the save.
  EXPECT_EQ(saves, (std::set<std::string>{"\"event\":\"save\",\"slot\":-2,\"ok\":true}",
                                          "\"event\":\"load\",\"slot\":-2,\"ok\":true}",
                                          "\"event\":\"save\",\"slot\":-1,\"ok\":true}",
                                          "\"event\":\"load\",\"slot\":-1,\"ok\":true}"}));
  EXPECT_EQ(channels, (std::set<std::string>{"0", "1", "2", "3", "4"}));
  EXPECT_EQ(scripts.size(), 10u) << "every script but the park of the town map";
  // The click region taken by the input (the face) and the choice's first entry ran their bodies.
  EXPECT_EQ(pages.count(reinterpret_cast<const char*>(u8"顔をじっと見られると、照れてしまいます。")), 1u);
  EXPECT_EQ(
      pages.count(reinterpret_cast<const char*>(u8"最後に、どちらの音を聞きたいですか？\\nチャイムですね。")),
      1u);
}

// The name of the command or block kind of a script item or line.
template <typename T>
std::pair<std::type_index, std::string> Kind(const char* name) {
  return {std::type_index(typeid(T)), name};
}

TEST(Playthrough, SampleScenarioUsesEveryCommand) {
  const std::map<std::type_index, std::string> kinds = {
      Kind<CImgCommand>("IMG"),           Kind<CSoundCommand>("SOUND"),
      Kind<CMovieCommand>("MOVIE"),       Kind<CScreenCommand>("SCREEN"),
      Kind<CColorMapCommand>("COLORMAP"), Kind<CScrollCommand>("SCROLL"),
      Kind<CWaitCommand>("WAIT"),         Kind<CKeyWaitCommand>("KEYWAIT"),
      Kind<CSpeedCommand>("SPEED"),       Kind<CClearCommand>("CLEAR"),
      Kind<CWindowCommand>("WINDOW"),     Kind<CDateWindowCommand>("DATE_WINDOW"),
      Kind<CDateCommand>("DATE"),         Kind<CScriptFileCommand>("SCRIPT"),
      Kind<CJumpCommand>("JUMP"),         Kind<CBreakCommand>("BREAK"),
      Kind<CExitCommand>("EXIT"),         Kind<CExpCommand>("EXP"),
      Kind<CKeywordCommand>("KEYWORD"),   Kind<CSaveTitleCommand>("SAVETITLE"),
      Kind<CDemoCommand>("DEMO"),         Kind<CSystemCommand>("SYSTEM"),
      Kind<CSelectLine>("SELECT"),        Kind<CIfLine>("IF"),
      Kind<CClickLine>("CLICK"),          Kind<CLoopLine>("LOOP"),
      Kind<CLabelLine>("LABEL"),          Kind<CMapCommand>("MAP"),
  };
  std::set<std::string> used;
  size_t files = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(kBuild + "/sample-game/scenario")) {
    ++files;
    auto list = ParseScript(ReadAll(entry.path()));
    for (int32_t i = 0; i < list->GetCount(); ++i) {
      const CScriptLine* line = list->GetLine(i);
      if (auto it = kinds.find(typeid(*line)); it != kinds.end()) used.insert(it->second);
      for (int32_t j = 0; j < line->GetItemCount(); ++j) {
        const CScriptCommand* item = line->GetItem(j);
        if (auto it = kinds.find(typeid(*item)); it != kinds.end()) used.insert(it->second);
      }
    }
  }
  EXPECT_EQ(files, 12u);
  std::set<std::string> missing;
  for (const auto& [type, name] : kinds)
    if (!used.count(name)) missing.insert(name);
  EXPECT_TRUE(missing.empty()) << "not used: " << *missing.begin();
}

// One confirm per wait: each run answers the next click wait of the trace a few frames after it
// begins, until the scenario reaches the title.
TEST(Playthrough, ExpressionGameShowsTheExpectedPages) {
  const CTempDir temp;
  const fs::path& dir = temp.path;
  const fs::path game = BuildTestGame("exp_output", dir);
  std::string input;
  std::vector<std::string> pages;
  for (size_t confirms = 0; confirms < 10; ++confirms) {
    std::ofstream(dir / "input.txt") << input;
    pages.clear();
    for (const STraceEvent& event : Play(game, dir / "input.txt", 3000, dir))
      if (event.Is("click")) {
        if (pages.size() == confirms) input += std::to_string(event.frame + 5) + " key RETURN\n";
        pages.push_back(event.Field("page"));
      }
    if (pages.size() == confirms) break;
  }
  std::vector<std::string> expected;
  for (const std::string& line : Lines(ReadAll(kSource + "/tests/games/exp_output/expected-clicks.txt")))
    if (!line.empty() && line[0] != '#') expected.push_back(line);
  EXPECT_EQ(pages, expected);
}

TEST(Playthrough, ScriptCheckReportsNothingForTheSampleAndEveryProblemOfItsTestGame) {
  const SRun sample = RunCommand("\"" + kBuild + "/zeltool\" adv-check \"" + kBuild + "/sample-game\"");
  EXPECT_EQ(sample.status, 0);
  EXPECT_EQ(sample.output, "");
  const CTempDir temp;
  const fs::path& dir = temp.path;
  const fs::path game = BuildTestGame("script_check", dir);
  const SRun check = RunCommand("\"" + kBuild + "/zeltool\" adv-check \"" + game.string() + "\"");
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(check.output, ReadAll(kSource + "/tests/games/script_check/expected.txt"));
}

}  // namespace

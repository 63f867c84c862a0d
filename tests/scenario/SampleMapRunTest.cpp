// The sample game's town map played headless along its route: the places offered at each visit,
// the after-move message holding the map, the event scripts, the return with the time advanced, the
// event without a place, the map selection and the end of the loop; a quick save made on the map
// loads back onto the same map. Screenshots of a hovered place and of the map selection are kept
// in the build folder for a person to look at.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CommandRun.h"
#include "PlaythroughInput.h"
#include "gfx/Surface.h"
#include "io/TempDir.h"

namespace fs = std::filesystem;

namespace {

struct SEvent {
  long frame = 0;
  std::string line;
  bool Has(const std::string& text) const { return line.find(text) != std::string::npos; }
};

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// Plays the sample with the input and returns its trace, one event per line.
std::vector<SEvent> PlaySample(const std::string& input, long frames, const std::string& shots,
                               const std::string& start = "scenario\\mainScript.adv") {
  std::ofstream("route.input") << input;
  const SRun run = RunCommand(kZelHeadless + "--start '" + start + "' --frames " + std::to_string(frames) +
                              " --input route.input --trace trace.json --save-dir . " + shots + " \"" +
                              ZEL_BUILD_DIR + "/sample-game\"");
  EXPECT_EQ(run.status, 0) << run.output;
  std::vector<SEvent> events;
  std::ifstream in("trace.json");
  for (std::string line; std::getline(in, line);)
    events.push_back({std::stol(line.substr(line.find(':') + 1)), line});
  return events;
}

std::vector<SEvent> Matching(const std::vector<SEvent>& events, const std::string& text) {
  std::vector<SEvent> found;
  for (const SEvent& event : events)
    if (event.Has(text)) found.push_back(event);
  return found;
}

std::string MapVisit(const char* layout, const char8_t* places, const char* date) {
  return "\"event\":\"map\",\"layout\":\"system\\\\map\\\\" + std::string(layout) + "\",\"places\":\"" +
         Utf8(places) + "\",\"date\":\"" + date + "\"";
}

TEST(SampleMapRun, TheRouteVisitsTheTownAndComesBackWithTheTimeAdvanced) {
  const CTempDir dir;
  std::ifstream route(std::string(ZEL_SOURCE_DIR) + "/sample/playthrough.input");
  const std::string input((std::istreambuf_iterator<char>(route)), std::istreambuf_iterator<char>());
  const int64_t hover = KeyFrameAfter(u8"# map: the shrine");
  const int64_t choose = KeyFrameAfter(u8"# map selection");
  const std::vector<SEvent> events =
      PlaySample(input, hover + 2000,
                 "--shot " + std::to_string(hover - 2) + " before.png --shot " + std::to_string(hover + 5) +
                     " hover.png --shot " + std::to_string(choose + 5) + " select.png");
  const std::vector<SEvent> visits = Matching(events, "\"event\":\"map\"");
  ASSERT_EQ(visits.size(), 3u) << "10:00, 13:00 and 19:00; at 16:00 an event without a place takes over";
  EXPECT_TRUE(visits[0].Has(MapVisit("day.scn", u8"公園,神社,商店街,駅", "2026/4/3 10:00")))
      << visits[0].line;
  EXPECT_TRUE(visits[1].Has(MapVisit("day.scn", u8"公園,商店街,駅", "2026/4/3 13:00")))
      << "the shrine is once only: " << visits[1].line;
  EXPECT_TRUE(visits[2].Has(MapVisit("evening.scn", u8"公園,商店街,駅", "2026/4/3 19:00"))) << visits[2].line;

  std::vector<std::string> scripts;
  for (const SEvent& event : Matching(events, "\"event\":\"script\",\"name\":\"scenario\\\\town"))
    scripts.push_back(event.line.substr(event.line.find("town")));
  EXPECT_EQ(scripts, (std::vector<std::string>{"town.adv\"}", "town_shrine.adv\"}", "town_shops.adv\"}",
                                               "town_chime.adv\"}", "town_station.adv\"}"}));
  // The shrine's script waits for its after-move message (clicked away at the second click) and the
  // fade-out after it.
  const std::vector<SEvent> shrine = Matching(events, "town_shrine.adv");
  ASSERT_EQ(shrine.size(), 1u);
  EXPECT_GE(shrine[0].frame, KeyFrameAfter(u8"# map: the shrine") + 40 + 30);
  EXPECT_EQ(Matching(events, Utf8(u8"本屋さんで会うなんて")).size(), 1u) << "Right took the second answer";
  EXPECT_EQ(Matching(events, Utf8(u8"夕方のチャイム")).size(), 1u);
  const std::vector<SEvent> end = Matching(events, Utf8(u8"町歩きはおしまいです"));
  ASSERT_EQ(end.size(), 1u) << "the station's EXIT TYPE=MAP goes back to the script that opened the map";
  EXPECT_GT(end[0].frame, visits[2].frame);
  EXPECT_FALSE(Matching(events, "\"to\":17").empty()) << "and the route ends at the title";
  EXPECT_TRUE(Matching(events, "msgbox").empty());

  CSurface before, hovered, select;
  ASSERT_TRUE(before.Load("before.png"));
  ASSERT_TRUE(hovered.Load("hover.png"));
  ASSERT_TRUE(select.Load("select.png"));
  EXPECT_NE(hovered.Pixel(534, 170), before.Pixel(534, 170)) << "the glow around the hovered shrine";
  EXPECT_NE(hovered.Pixel(600, 84), before.Pixel(600, 84)) << "its name plate";
  EXPECT_EQ(hovered.Pixel(160, 200), before.Pixel(160, 200)) << "the park is not hovered";
  EXPECT_NE(select.Pixel(400, 284), select.Pixel(400, 204)) << "the selected shop against the others";
  for (const char* shot : {"hover.png", "select.png"})
    fs::copy_file(shot, fs::path(ZEL_BUILD_DIR) / (std::string("sample-map-") + shot),
                  fs::copy_options::overwrite_existing);
}

TEST(SampleMapRun, AQuickSaveOnTheMapLoadsBackOntoTheSameMap) {
  const CTempDir dir;
  // Started at the map chapter: without the walk of the first chapter the station stays closed.
  // The map's own buttons: quick save and yes, then quick load and yes.
  const std::string input =
      "200 key RETURN\n260 click 340 28\n280 key UP\n281 key RETURN\n"
      "300 click 430 28\n320 key UP\n321 key RETURN\n";
  const std::vector<SEvent> events = PlaySample(input, 400, "", "scenario\\town.adv");
  const std::vector<SEvent> saved = Matching(events, "\"event\":\"save\",\"slot\":-1,\"ok\":true");
  const std::vector<SEvent> loaded = Matching(events, "\"event\":\"load\",\"slot\":-1,\"ok\":true");
  ASSERT_EQ(saved.size(), 1u);
  ASSERT_EQ(loaded.size(), 1u);
  const std::vector<SEvent> visits = Matching(events, "\"event\":\"map\"");
  ASSERT_EQ(visits.size(), 2u);
  EXPECT_TRUE(visits[0].Has(MapVisit("day.scn", u8"公園,神社,商店街", "2026/4/3 10:00"))) << visits[0].line;
  EXPECT_GT(loaded[0].frame, saved[0].frame);
  EXPECT_EQ(visits[1].frame, loaded[0].frame);
  EXPECT_TRUE(visits[1].Has(MapVisit("day.scn", u8"公園,神社,商店街", "2026/4/3 10:00")))
      << "the same map at the same date and time: " << visits[1].line;
}

}  // namespace

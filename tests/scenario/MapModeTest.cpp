// The map screen and its loop on a small game: a town layout with three places, a schedule with a
// once-only event, a conditional one and one with a person, event scripts that end at once, and the
// action points that end the loop.
#include "TitleTestGame.h"
#include "gfx/Animation.h"
#include "io/ShiftJis.h"
#include "modes/MapMode.h"
#include "persist/MapTable.h"
#include "platform/VirtualKeys.h"
#include "script/ScriptRunner.h"
#include "ui/MessageText.h"

namespace {

constexpr uint32_t kLit = 0xFF20C040u;
constexpr uint32_t kBox = 0xFF101030u;
constexpr uint32_t kMark = 0xFFE04040u;
constexpr uint32_t kPerson = 0xFFF0F0F0u;
constexpr int32_t kFade = 4;

constexpr const char* kTownLayout =
    "BG town.png\n"
    "CONTROL\nNAME 背景:公園\nPOS 90 90 310 210\nIMAGE lit.png\nALPHA 255\nCONTROL END\n"
    "CONTROL\nNAME 公園\nPOS 100 100 300 200\nCONTROL END\n"
    "CONTROL\nNAME 駅\nPOS 400 100 600 200\nCONTROL END\n"
    "CONTROL\nNAME 学校\nPOS 400 300 600 400\nCONTROL END\n"
    "CONTROL\nNAME メッセージ\nPOS 0 500 800 600\nIMAGE box.png\nALPHA 255\nCONTROL END\n"
    "CONTROL\nNAME テキスト\nPOS 20 510 780 590\nCONTROL END\n"
    "CONTROL\nNAME AP1\nPOS 700 10 720 30\nIMAGE mark.png\nALPHA 255\nCONTROL END\n"
    "CONTROL\nNAME AP2\nPOS 730 10 750 30\nIMAGE mark.png\nALPHA 255\nCONTROL END\n";

// Row 0 (unlimited, priority 2) and row 1 (once, priority 1) share the park; row 2 opens the station
// from noon with a person standing on it; row 3 needs the variable "flag".
constexpr const char* kSchedule =
    "開始日,終了日,開始時間,終了時間,場所,スクリプト,優先度,回数,条件,人物,メッセージ,移動後メッセージ\n"
    ",,,,公園,..\\..\\scenario\\park.adv,2,無制限,,,公園です,公園へ来た/ベンチがある\n"
    ",,,,公園,..\\..\\scenario\\first.adv,1,,,,,\n"
    ",,12:00,23:59,駅,..\\..\\scenario\\station.adv,0,,,walker,駅です,\n"
    ",,,,学校,..\\..\\scenario\\school.adv,0,,flag,,,\n";

constexpr const char* kWalker =
    "SIZE 20 40\nFRAME\nTIME 1\nSPRITE\nFILE walker.png\nDEST 0 0\nSRC 0 0\nSIZE 20 40\nSPRITE END\nFRAME "
    "END\n";

class MapModeTest : public CTitleTestGame {
 protected:
  void SetUp() override {
    AddSystemFile("map\\town.scn", kTownLayout);
    AddSystemFile("map\\schedule.csv", kSchedule);
    AddSystemFile("map\\walker.anm", kWalker);
    AddSolidImage("map\\town.png", 800, 600, kBackground);
    AddSolidImage("map\\lit.png", 220, 120, kLit);
    AddSolidImage("map\\box.png", 800, 100, kBox);
    AddSolidImage("map\\mark.png", 20, 20, kMark);
    AddSolidImage("map\\walker.png", 20, 40, kPerson);
    for (const char* name : {"park", "first", "station", "school"})
      CTempDir::Write(std::string("scenario/") + name + ".adv", std::string(name) + "\n\n");
    CTempDir::Write("scenario/start.adv",
                    "<DATE YEAR=2026 MONTH=12 DAY=31 HOUR=9 MINUTE=0><EXP EXP=\"AP = 2\">"
                    "<MAP SRC=system\\map\\schedule.csv MAP=0 BGM=bgm\\town.ogg>戻りました。\n\n");
    UseSettings(
        "フェード時間,4\n決定SE,se\\decide.wav\n時刻,0:00,12:00\n"
        "マップ0,system\\map\\town.scn,system\\map\\town.scn\n時間経過,600\n");
    game.SetApEnabled(true);
  }
  // One frame of the engine with the mouse at (x, y), drawn over its dirty spans and checked
  // against the same frame drawn whole.
  void Frame(int32_t x = 0, int32_t y = 0) {
    game.Update(1, x, y);
    game.Draw(x, y);
    const std::optional<SRect> difference = redrawCheck.Check(game.Display(), [&] { game.Draw(x, y); });
    EXPECT_FALSE(difference) << "drawn without a mark at " << difference->left << "," << difference->top;
    game.Display().ClearSpans();
  }
  void Frames(int count, int32_t x = 0, int32_t y = 0) {
    for (int i = 0; i < count; ++i) Frame(x, y);
  }
  CMapMode* Map() { return dynamic_cast<CMapMode*>(game.ScreenMode()); }
  // Starts the game and runs the fade-in of the first visit.
  CMapMode& EnterTown() {
    EXPECT_TRUE(game.StartNewGame("scenario\\start.adv", ""));
    Frames(kFade + 2);
    EXPECT_NE(Map(), nullptr);
    return *Map();
  }
  // Clicks a place and clicks the after-move message away (whole, then gone).
  void Visit(int32_t x, int32_t y) {
    game.OnLButtonDown(0, x, y);
    Frame(x, y);
    game.OnLButtonDown(0, x, y);
    game.OnLButtonDown(0, x, y);
  }
  // Runs frames until the page of a script waits for a click (its text appears first).
  void RunToPage() {
    for (int i = 0; i < 200 && game.Mode() != CGameSystem::kModeClickWaitPage; ++i) Frame();
    EXPECT_EQ(game.Mode(), CGameSystem::kModeClickWaitPage);
  }
  // Runs the fade-out and the event script to its page, and confirms that page.
  void RunEvent(const std::string& script) {
    RunToPage();
    EXPECT_EQ(game.Script().GetScriptName(), script);
    game.OnKeyDown(vk::kReturn, 1, 0);
    Frames(2);
  }
  bool Done(int32_t row) { return game.DoneMarks().IsSet("system\\map\\schedule.csv", row); }
};

TEST(MapSlots, TheTimeOfDayPicksTheSlotAndTheMapNumberTheRow) {
  EXPECT_EQ(CMapMode::TimeSlot({0, 720, 1080}, 0), 1);
  EXPECT_EQ(CMapMode::TimeSlot({0, 720, 1080}, 719), 1);
  EXPECT_EQ(CMapMode::TimeSlot({0, 720, 1080}, 720), 2);
  EXPECT_EQ(CMapMode::TimeSlot({0, 720, 1080}, 1439), 3);
  EXPECT_EQ(CMapMode::TimeSlot({360}, 0), 1) << "a single slot is always the first";
  EXPECT_EQ(CMapMode::TimeSlot({}, 600), 1);
  CMapTable table;
  table.SetTimeSlots({"6:00", "18:00"});
  table.SetMap(0, {"day0.scn", "night0.scn"});
  table.SetMap(2, {"day2.scn"});
  EXPECT_EQ(CMapMode::LayoutPath(table, 0, 5 * 60), "day0.scn") << "before the second slot starts";
  EXPECT_EQ(CMapMode::LayoutPath(table, 0, 18 * 60), "night0.scn");
  EXPECT_EQ(CMapMode::LayoutPath(table, 2, 18 * 60), "") << "the row has no cell for the slot";
  EXPECT_EQ(CMapMode::LayoutPath(table, 1, 0), "") << "no row for the map";
  EXPECT_EQ(CMapMode::LayoutPath(table, -1, 0), "");
}

TEST_F(MapModeTest, PlacesTakeTheirEventsByPriorityAndMessagesSpreadFromLaterRecords) {
  CMapMode& map = EnterTown();
  EXPECT_EQ(requested, std::vector<std::string>{"bgm\\town.ogg"}) << "map music on channel 1";
  EXPECT_EQ(game.Sound().Registry().at(CSoundSystem::kMusicChannel), "bgm\\town.ogg");
  const auto& places = map.Places();
  ASSERT_EQ(places.size(), 8u);
  EXPECT_EQ(places[1].event.script, "..\\..\\scenario\\first.adv") << "priority 1 beats 2";
  EXPECT_EQ(places[1].event.message, "公園です") << "the winner has none; the next record fills it";
  EXPECT_EQ(places[1].event.afterMessage, "公園へ来た/ベンチがある");
  EXPECT_TRUE(places[2].event.script.empty()) << "the station opens at noon";
  EXPECT_TRUE(places[3].event.script.empty()) << "the school needs its condition";
  EXPECT_EQ(map.Phase(), CMapMode::kChoosing);
}

TEST_F(MapModeTest, HoverShowsThePlaceMarksAndAPlaceWithoutAnEventIsNotHovered) {
  CMapMode& map = EnterTown();
  Frame(150, 150);
  EXPECT_EQ(map.Hovered(), 1);
  EXPECT_EQ(At(95, 95), kLit) << "the place's 背景: control";
  EXPECT_EQ(At(705, 15), kMark) << "AP 2: both marks";
  EXPECT_EQ(At(735, 15), kMark);
  EXPECT_EQ(At(10, 550), kBox) << "the message box in the choosing phase";
  Frame(450, 150);
  EXPECT_EQ(map.Hovered(), -1) << "the station has no event yet";
  EXPECT_EQ(At(95, 95), kBackground) << "the highlight went with the hover";
  game.OnLButtonDown(0, 450, 150);
  EXPECT_EQ(map.Phase(), CMapMode::kChoosing) << "a click on an inactive place does nothing";
}

TEST_F(MapModeTest, TheAfterMoveMessageAppearsByItsClockAndARightClickCancelsTheMove) {
  CMapMode& map = EnterTown();
  Frame(150, 150);
  game.OnLButtonDown(0, 150, 150);
  EXPECT_EQ(map.Phase(), CMapMode::kChosen);
  EXPECT_EQ(map.Message().Text(), "公園へ来た/ベンチがある");
  Frames(3, 150, 150);
  EXPECT_EQ(map.Message().Clock(), 3) << "one byte a tick";
  EXPECT_EQ(map.Phase(), CMapMode::kChosen) << "the map waits while the message is shown";
  game.OnRButtonDown(0, 150, 150);
  EXPECT_EQ(game.MenuState(), 0) << "the cancel went to the message, not to the system menu";
  EXPECT_FALSE(map.Message().IsShown());
  EXPECT_EQ(map.Phase(), CMapMode::kChoosing);
  Frame(150, 150);
  game.OnLButtonDown(0, 150, 150);
  game.OnLButtonDown(0, 150, 150);
  EXPECT_TRUE(map.Message().IsComplete()) << "a click shows a message that is still appearing whole";
  EXPECT_EQ(map.Phase(), CMapMode::kChosen);
  game.OnKeyDown(vk::kReturn, 1, 0);
  EXPECT_FALSE(map.Message().IsShown()) << "Enter clears a whole message";
  Frame(150, 150);
  EXPECT_EQ(map.Phase(), CMapMode::kFadingOut);
  EXPECT_EQ(game.Sound().Registry().count(CSoundSystem::kMusicChannel), 0u) << "the map music stops";
  game.OnRButtonDown(0, 150, 150);
  EXPECT_NE(game.MenuState(), 0) << "without a message the right click opens the system menu";
}

TEST_F(MapModeTest, TheLoopRunsTheEventAdvancesTimeAndEndsWithTheActionPoints) {
  EnterTown();
  Visit(150, 150);
  EXPECT_FALSE(Done(1));
  RunEvent("scenario\\first.adv");
  EXPECT_TRUE(Done(1)) << "the once-only event is marked when it is taken";
  EXPECT_TRUE(game.HasPreviousChoice()) << "the snapshot before the event";
  // Back on the map ten hours later, in the evening slot.
  const CGameClock& clock = game.GameClock();
  EXPECT_EQ(game.Mode(), CGameSystem::kModeMap);
  EXPECT_EQ(game.Variables().GetVariable("AP"), 1);
  EXPECT_EQ(std::vector<int32_t>({clock.year, clock.month, clock.day, clock.hour, clock.minute}),
            std::vector<int32_t>({2026, 12, 31, 19, 0}));
  Frames(kFade + 2, 150, 150);
  CMapMode* map = Map();
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(map->Places()[1].event.script, "..\\..\\scenario\\park.adv") << "the once-only event is gone";
  EXPECT_EQ(map->Places()[2].event.script, "..\\..\\scenario\\station.adv") << "evening: the station";
  ASSERT_NE(map->Places()[2].person, nullptr);
  EXPECT_EQ(map->Places()[2].person->X(), 490) << "centred on the place";
  EXPECT_EQ(map->Places()[2].person->Y(), 160) << "standing on its bottom edge";
  EXPECT_EQ(At(495, 190), kPerson);
  EXPECT_EQ(At(735, 15), kBackground) << "one action point left: one mark";
  Visit(450, 150);
  RunEvent("scenario\\station.adv");
  EXPECT_EQ(game.Variables().GetVariable("AP"), 0);
  RunToPage();
  EXPECT_EQ(game.Script().GetScriptName(), "scenario\\start.adv")
      << "out of action points the map is not resumed";
  EXPECT_EQ(game.Text().Page().lines[0].size(), 6u) << "the opening script goes on after MAP";
  EXPECT_EQ(clock.hour, 19) << "no time passes when the loop ends";
}

TEST_F(MapModeTest, ATimeStepAcrossMidnightMovesTheDate) {
  UseSettings(
      "フェード時間,4\n時刻,0:00,12:00\nマップ0,system\\map\\town.scn,system\\map\\town.scn\n時間経過,900\n");
  EnterTown();
  Visit(150, 150);
  RunEvent("scenario\\first.adv");
  const CGameClock& clock = game.GameClock();
  EXPECT_EQ(std::vector<int32_t>({clock.year, clock.month, clock.day, clock.hour, clock.minute}),
            std::vector<int32_t>({2027, 1, 1, 0, 0}));
  Frames(kFade + 2);
  ASSERT_NE(Map(), nullptr);
  EXPECT_TRUE(Map()->Places()[2].event.script.empty()) << "midnight is the morning slot";
}

TEST_F(MapModeTest, AnEventWithoutAPlaceStartsAtOnceAndHoldsBackLaterRecords) {
  AddSystemFile("map\\schedule.csv", std::string(kSchedule) + ",,,,,..\\..\\scenario\\school.adv,0,,,,,\n");
  UseSettings("フェード時間,4\n時刻,0:00,12:00\nマップ0,system\\map\\town.scn,system\\map\\town.scn\n");
  ASSERT_TRUE(game.StartNewGame("scenario\\start.adv", ""));
  Frame();
  EXPECT_EQ(game.Script().GetScriptName(), "scenario\\school.adv") << "before any fade";
  EXPECT_TRUE(Done(4));
  RunToPage();
  EXPECT_TRUE(game.Sound().Registry().empty()) << "no map music for a map that never showed";
}

TEST_F(MapModeTest, AMapWithoutALayoutIsReportedAndTheOpeningScriptGoesOn) {
  testing::internal::CaptureStderr();
  CTempDir::Write("scenario/start.adv",
                  "<EXP EXP=\"AP = 5\"><MAP SRC=system\\map\\schedule.csv MAP=3>戻りました。\n\n<MAP "
                  "SRC=system\\map\\none.csv>"
                  "二度目です。\n\n");
  ASSERT_TRUE(game.StartNewGame("scenario\\start.adv", ""));
  RunToPage();
  EXPECT_EQ(game.Script().GetScriptName(), "scenario\\start.adv");
  game.OnKeyDown(vk::kReturn, 1, 0);
  Frame();
  RunToPage();
  EXPECT_EQ(game.Text().Page().lines[0].size(), 6u) << "a missing schedule leaves nothing to choose either";
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_NE(errors.find(sjis::ToUtf8("マップ 3 の時間帯 1 に画面がありません")), std::string::npos) << errors;
  EXPECT_NE(errors.find(sjis::ToUtf8("system\\map\\none.csv ファイルが開けません")), std::string::npos)
      << errors;
}

TEST_F(MapModeTest, AGameSavedOnTheMapLoadsBackOntoTheMapWithItsDateAndMarks) {
  settings::SetSaveDirectoryOverride(dir.path.string());
  EnterTown();
  Visit(150, 150);
  RunEvent("scenario\\first.adv");
  Frames(kFade + 2);
  ASSERT_TRUE(game.SaveGame(1));
  game.ResetGame();
  ASSERT_EQ(Map(), nullptr);
  ASSERT_TRUE(game.LoadGame(1));
  settings::SetSaveDirectoryOverride("");
  ASSERT_NE(Map(), nullptr);
  EXPECT_EQ(game.Mode(), CGameSystem::kModeMap);
  EXPECT_EQ(game.GameClock().hour, 19);
  EXPECT_TRUE(Done(1));
  EXPECT_EQ(game.Variables().GetVariable("AP"), 1);
  EXPECT_EQ(Map()->Places()[1].event.script, "..\\..\\scenario\\park.adv") << "the taken event stays taken";
  EXPECT_EQ(game.Sound().Registry().at(CSoundSystem::kMusicChannel), "bgm\\town.ogg");
  Frames(kFade + 2, 450, 150);
  Visit(450, 150);
  RunEvent("scenario\\station.adv");
  EXPECT_EQ(game.Script().GetScriptName(), "scenario\\start.adv") << "the loaded map still ends its loop";
}

}  // namespace

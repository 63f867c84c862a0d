// The config screen of the sample game played headless by the zel binary, with the redraw check:
// values changed through the config pages are found again by the next run (from system.dat). Input
// frames are laid out from the frame at which the game's first click wait begins.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "MenuScreenRun.h"
#include "io/TempDir.h"
#include "persist/RecordFile.h"

using namespace menurun;

namespace {

struct SSystemData {
  std::map<std::string, int32_t> values;
};

SSystemData ReadSystemData(const fs::path& dir) {
  SSystemData data;
  CRecordFile record;
  EXPECT_TRUE(record.LoadFromFile((dir / "system.dat").string()));
  while (record.NextChunk()) {
    if (record.Tag() == "VAR ") {
      while (record.Remaining() > 0) {
        std::string name = record.ReadString();
        data.values[name] = record.ReadInt32();
      }
    } else if (record.Tag().rfind("VOL", 0) == 0 || record.Tag() == "SPED") {
      data.values[record.Tag()] = record.ReadInt32();
    }
  }
  return data;
}

class ConfigScenario : public ::testing::Test {
 protected:
  void SetUp() override {
    const SPlay plain = Play(temp.path, "", 600);
    f = plain.Frame(plain.Find({"\"event\":\"click\""}));
    ASSERT_GT(f, 0);
    fs::remove(temp.path / "system.dat");
  }
  // The system menu's コンフィグ item opens the config screen; its fade ends 20 frames later.
  static std::string OpenConfig(long at) { return At(at, "rclick 10 10") + At(at + 20, "click 400 142"); }

  const CTempDir temp;
  long f = 0;
};

// Sample layout: page 0 has 高速 at (470..560, 160..192); page 1 has BGM's slider over 260..560 at
// y 70..102 with a 16-pixel knob, スイッチ0ON at (420..560, 205..237).
TEST_F(ConfigScenario, ValuesChangedOnTheConfigPagesAreFoundAgainByTheNextRun) {
  const long open = f + 5, shown = f + 50;
  const std::string changes = OpenConfig(open) + At(shown, "click 515 176") + At(shown + 5, "move 5 595") +
                              At(shown + 10, "key NEXT") + At(shown + 15, "down 268 86") +
                              At(shown + 16, "move 330 86") + At(shown + 17, "move 400 86") +
                              At(shown + 18, "up 400 86") + At(shown + 20, "click 490 221") +
                              At(shown + 25, "move 5 595") + At(shown + 40, "key ESCAPE");
  const SPlay first =
      Play(temp.path, changes, shown + 80,
           Shot(shown + 7, temp.path / "page0.png") + Shot(shown + 30, temp.path / "page1.png"));
  EXPECT_EQ(first.Frame(first.Find({Menu(1, 4)})), open + 20);
  EXPECT_EQ(first.Frame(first.Find({Menu(4, 0)})), shown + 40);
  const SSystemData saved = ReadSystemData(temp.path);
  EXPECT_EQ(saved.values.at("SPED"), 100);
  EXPECT_EQ(saved.values.at("VOL0"), (400 - 8 - 260) * 256 / (300 - 16));
  EXPECT_EQ(saved.values.at("VOL1"), 256);
  EXPECT_EQ(saved.values.at("CONFIG_SWITCH0"), 1);
  EXPECT_EQ(saved.values.at("CONFIG_SWITCH1"), 0);

  // The next run opens the same pages with the same cursor: they look exactly as they were left.
  const std::string look = OpenConfig(open) + At(shown + 5, "move 5 595") + At(shown + 10, "key NEXT") +
                           At(shown + 25, "move 5 595");
  Play(temp.path, look, shown + 31,
       Shot(shown + 7, temp.path / "again0.png") + Shot(shown + 30, temp.path / "again1.png"));
  EXPECT_EQ(ShotPixels(temp.path / "again0.png"), ShotPixels(temp.path / "page0.png"));
  EXPECT_EQ(ShotPixels(temp.path / "again1.png"), ShotPixels(temp.path / "page1.png"));
  fs::remove(temp.path / "system.dat");
  Play(temp.path, look, shown + 31, Shot(shown + 30, temp.path / "default1.png"));
  EXPECT_NE(ShotPixels(temp.path / "default1.png"), ShotPixels(temp.path / "page1.png"))
      << "the defaults look different";
}

}  // namespace

#pragma once
// A small game in a temporary folder for save and load tests: a system archive with the settings
// and layouts (message window, save screen with a thumbnail control), loose scripts, pictures, an
// animation and sounds, and engines on the headless platform that are started, driven frame by
// frame and fed input the way the headless runner does it.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/GameSaves.h"
#include "app/GameSystem.h"
#include "audio/WaveFile.h"
#include "gfx/PngWriter.h"
#include "io/ArchiveWriter.h"
#include "io/PackArchive.h"
#include "io/TempDir.h"
#include "io/Trace.h"
#include "io/TraceEvents.h"
#include "persist/Settings.h"
#include "platform/VirtualKeys.h"
#include "platform/headless/HeadlessPlatform.h"

class CSaveGameFixture : public ::testing::Test {
 protected:
  // One engine with its own headless platform and frame counter.
  struct SEngine {
    CHeadlessPlatform platform{CInputScript(), true};
    CGameSystem game{platform};
    int64_t frame = 0;

    void RunFrames(int count) {
      for (int i = 0; i < count; ++i) {
        platform.AdvanceClock(++frame);
        game.Tick(0, 0);
      }
    }
    // Runs until the predicate holds; false when it did not within the frames.
    bool RunUntil(const std::function<bool()>& done, int frames = 600) {
      for (int i = 0; i < frames && !done(); ++i) RunFrames(1);
      return done();
    }
    void Key(uint32_t key) { game.OnKeyDown(key, 1, 0); }
    void Click(int32_t x, int32_t y) {
      game.OnMouseMove(0, x, y);
      game.OnLButtonDown(1, x, y);
      game.OnLButtonUp(0, x, y);
    }
  };
  // One step of input: a key or a click, then frames run.
  struct SStep {
    uint32_t key = 0;
    int32_t x = -1, y = -1;
    int frames = 1;
  };

  void SetUp() override {
    WriteSystemArchive("");
    WritePicture("cg/bg.png", 800, 600, 0xFF204060u);
    WritePicture("cg/bg2.png", 800, 600, 0xFF806040u);
    WritePicture("cg/chara.png", 200, 300, 0xFFC08080u);
    WritePicture("cg/mask.png", 800, 600, 0xFF808080u);
    WriteColorMap("cg/map.bmp", 800, 600);
    CTempDir::Write("anime/blink.anm",
                    "SIZE 200 300\nFRAME\n\tTIME 20\n\tSPRITE\n\t\tFILE ..\\cg\\chara.png\n\t\tDEST 0 0\n"
                    "\t\tSRC 0 0\n\t\tSIZE 200 300\n\tSPRITE END\nFRAME END\nFRAME\n\tTIME 20\n\tLOOP\n"
                    "\tSPRITE\n\t\tFILE ..\\cg\\bg2.png\n\t\tDEST 0 0\n\t\tSRC 0 0\n\t\tSIZE 100 100\n"
                    "\tSPRITE END\nFRAME END\n");
    WriteSound("sound/music.wav", 120);
    WriteSound("sound/voice.wav", 90);
    WriteSound("sound/ok.wav", 10);
    settings::SetSaveDirectoryOverride(dir.path.string() + "/save");
  }
  void TearDown() override {
    engines.clear();
    CTrace::Close();
    settings::SetSaveDirectoryOverride("");
    CPackArchive::Instance().UnmountAll();
  }

  // The system archive: settings (extra rows appended), the message window with its text area,
  // the choice plate and the save screen with a 80 x 60 thumbnail control.
  void WriteSystemArchive(const std::string& extraRows) {
    const std::string window = "CONTROL\n  NAME テキスト\n  POS 60 476 740 592\nCONTROL END\n";
    const std::string save = "CONTROL\n  NAME サムネイル\n  POS 10 20 90 80\nCONTROL END\n";
    const std::string rows = "項目,パラメータ\n成功SE,sound\\ok.wav\n" + extraRows;
    std::vector<std::pair<std::string, std::vector<uint8_t>>> files = {
        {"setting.csv", Bytes(rows)},
        {"window\\window.scn", Bytes(window)},
        {"save\\save.scn", Bytes(save)},
    };
    for (const char* empty :
         {"window\\click.scn", "window\\date.scn", "window\\select.scn", "logo\\bg.scn", "title\\bg.scn"})
      files.emplace_back(empty, Bytes("\n"));
    CPackArchive::Instance().UnmountAll();
    ASSERT_TRUE(CArchiveWriter::WriteAll("system", files));
  }
  static std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }
  static void WritePicture(const std::string& name, int w, int h, uint32_t colour) {
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * h, colour);
    std::filesystem::create_directories(std::filesystem::path(name).parent_path());
    ASSERT_TRUE(CPngWriter::Write(name, pixels.data(), w, h, w, true));
  }
  // A 24-bit BMP click map: the left half red, the right half green.
  static void WriteColorMap(const std::string& name, int w, int h) {
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) / 4 * 4;
    std::vector<uint8_t> bmp(54 + stride * h, 0);
    auto put32 = [&bmp](size_t at, uint32_t v) {
      for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, static_cast<uint32_t>(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));
    bmp[26] = 1;
    bmp[28] = 24;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) bmp[54 + y * stride + x * 3 + (x < w / 2 ? 2 : 1)] = 255;
    CTempDir::Write(name, bmp);
  }
  // A mono 16-bit WAV of the given length in ticks at 22050 Hz.
  static void WriteSound(const std::string& name, int ticks) {
    SWaveFormat format;
    format.formatTag = SWaveFormat::kPcm;
    format.channels = 1;
    format.samplesPerSecond = 22050;
    format.bitsPerSample = 16;
    format.blockAlign = 2;
    format.averageBytesPerSecond = 44100;
    std::vector<int16_t> samples(static_cast<size_t>(22050) * ticks / 60);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int16_t>((i % 100) * 300);
    CTempDir::Write(name, CWaveFile::Build(format, samples));
  }

  // A started engine (settings loaded, display and sound running) whose game begins at the script.
  SEngine& NewEngine() {
    EXPECT_TRUE(settings::LoadSettings());
    engines.push_back(std::make_unique<SEngine>());
    SEngine& engine = *engines.back();
    EXPECT_TRUE(engine.game.Startup());
    engine.RunFrames(1);
    return engine;
  }
  SEngine& StartGame(const std::string& script) {
    CTempDir::Write("scenario/main.adv", script);
    SEngine& engine = NewEngine();
    engine.game.StartNewGame("scenario\\main.adv", "");
    return engine;
  }

  // The events the engine traces while the steps run, without their frame numbers.
  std::vector<std::string> TraceSteps(SEngine& engine, const std::vector<SStep>& steps) {
    const std::string path = dir.path.string() + "/trace.jsonl";
    EXPECT_TRUE(CTrace::Open(path));
    for (const SStep& step : steps) {
      if (step.key != 0) engine.Key(step.key);
      if (step.x >= 0) engine.Click(step.x, step.y);
      engine.RunFrames(step.frames);
    }
    CTrace::Close();
    return ReadTraceEvents(path);
  }

  // Saves the running game in a slot, continues it with the steps, then loads the slot into a
  // fresh engine and runs the same steps: both must trace the same events.
  void ExpectSameAfterLoad(SEngine& original, int32_t slot, const std::vector<SStep>& steps) {
    ASSERT_TRUE(original.game.SaveGame(slot));
    SEngine& loaded = NewEngine();
    ASSERT_TRUE(loaded.game.LoadGame(slot));
    ExpectSameState(original.game, loaded.game);
    const std::vector<std::string> expected = TraceSteps(original, steps);
    const std::vector<std::string> actual = TraceSteps(loaded, steps);
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(actual, expected);
  }

  static void ExpectSameState(CGameSystem& a, CGameSystem& b);

  CTempDir dir;
  std::vector<std::unique_ptr<SEngine>> engines;
};

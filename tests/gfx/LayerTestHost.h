#pragma once
// A picture host for tests: a display without a window, a seeded generator, the engine's mode timer
// as plain fields, and a layer set as the draw-image operation unless a recorder replaces it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "gfx/Display.h"
#include "gfx/ImageDrawer.h"
#include "gfx/LayerSet.h"
#include "gfx/PictureHost.h"
#include "gfx/PngWriter.h"
#include "io/LooseFiles.h"
#include "platform/Random.h"

class CTestPictureHost : public IPictureHost {
 public:
  CTestPictureHost(int w, int h) {
    display.Init(nullptr, w, h, true);
    layers = std::make_unique<CLayerSet>(*this);
  }

  CDisplay& Display() override { return display; }
  IImageDrawer& ImageDrawer() override { return drawer ? *drawer : *layers; }
  CRandom& Random() override { return random; }
  int32_t Mode() const override { return mode; }
  int32_t WaitElapsed() const override { return waitElapsed; }
  int32_t WaitLength() const override { return waitLength; }
  bool AreEffectsOff() const override { return effectsOff; }
  uint32_t FrameTime() const override { return time; }
  void DiscardElapsedTime() override { ++discarded; }

  // A frame as the engine draws it: everything dirty, cleared to black, the scene drawn.
  void DrawFrame() {
    display.MarkAllDirty();
    display.FillDirty(0);
    layers->DrawScene();
  }
  uint32_t At(int x, int y) const { return display.Pixels()[static_cast<size_t>(y) * display.Width() + x]; }

  CDisplay display;
  CRandom random;
  int32_t mode = 0;
  int32_t waitElapsed = 0;
  int32_t waitLength = 0;
  bool effectsOff = false;
  uint32_t time = 0;
  int discarded = 0;
  IImageDrawer* drawer = nullptr;
  std::unique_ptr<CLayerSet> layers;
};

// Records every draw-image request instead of drawing.
class CRecordingDrawer : public IImageDrawer {
 public:
  void DrawImage(const SImageDraw& draw) override { draws.push_back(draw); }
  std::vector<SImageDraw> draws;
};

// Runs a test inside a fresh temporary folder that the file layer reads loose files from.
class CPictureFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = std::filesystem::current_path();
    dir = std::filesystem::temp_directory_path() /
          ("zel-pictures-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    CLooseFiles::Instance().ForgetListings();
  }
  void TearDown() override {
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
    CLooseFiles::Instance().ForgetListings();
  }

 public:
  // A PNG of one colour (0xAARRGGBB), or of a colour per pixel from a function.
  template <class Paint>
  static void WritePng(const std::string& name, int w, int h, Paint paint) {
    std::filesystem::create_directories(std::filesystem::path(name).parent_path().empty()
                                            ? std::filesystem::path(".")
                                            : std::filesystem::path(name).parent_path());
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) pixels[static_cast<size_t>(y) * w + x] = paint(x, y);
    ASSERT_TRUE(CPngWriter::Write(name, pixels.data(), w, h, w, true));
    CLooseFiles::Instance().ForgetListings();
  }
  static void WriteSolid(const std::string& name, int w, int h, uint32_t colour) {
    WritePng(name, w, h, [colour](int, int) { return colour; });
  }
  static void WriteText(const std::string& name, const std::string& text) {
    std::ofstream(name, std::ios::binary) << text;
    CLooseFiles::Instance().ForgetListings();
  }

 protected:
  std::filesystem::path previous;
  std::filesystem::path dir;
};

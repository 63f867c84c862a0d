#pragma once
// Contact sheets of small screens for golden-image tests: every tile is one screen drawn through the
// layer set; the sheet is compared with a PNG under tests/gfx/golden/ with a per-channel tolerance. With
// ZEL_UPDATE_GOLDEN=1 in the environment the sheet is written there instead; on a mismatch the sheet
// is written next to the build as <name>.actual.png.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "LayerTestHost.h"
#include "gfx/PngWriter.h"
#include "gfx/Surface.h"

constexpr int kTileW = 96;
constexpr int kTileH = 72;

// The test pictures: a sky-to-ground background, two characters (an orange and a teal figure with soft
// edges), a radial mask, a snow flake and a sheet of petals.
inline void WriteGoldenArt() {
  CPictureFilesTest::WritePng("bg.png", kTileW, kTileH, [](int x, int y) {
    const uint32_t g = uint32_t(60 + y * 2), b = uint32_t(200 - y), r = uint32_t(x * 2);
    return 0xFF000000u | r << 16 | (y > 50 ? 120u : g) << 8 | (y > 50 ? 40u : b);
  });
  const auto figure = [](uint32_t rgb) {
    return [rgb](int x, int y) {
      const double d = std::hypot((x - 24) / 18.0, (y - 36) / 30.0);
      const uint32_t a = d >= 1 ? 0 : d > 0.8 ? uint32_t((1 - d) * 5 * 255) : 255;
      const uint32_t stripe = (y / 6) % 2 ? 0x202020u : 0;
      return a << 24 | (rgb - stripe);
    };
  };
  CPictureFilesTest::WritePng("a.png", 48, 72, figure(0xF08030));
  CPictureFilesTest::WritePng("b.png", 48, 72, figure(0x30C0B0));
  CPictureFilesTest::WritePng("mask.png", kTileW, kTileH, [](int x, int y) {
    const uint32_t v = uint32_t(std::min(255.0, std::hypot(x - 48, y - 36) * 4));
    return 0xFF000000u | v * 0x010101u;
  });
  CPictureFilesTest::WritePng("system/particle/snow.png", 32, 32, [](int x, int y) {
    const double d = std::hypot(x - 15.5, y - 15.5) / 16;
    return d >= 1 ? 0u : uint32_t((1 - d) * 255) << 24 | 0xFFFFFFu;
  });
  CPictureFilesTest::WritePng("system/particle/sakura.png", 256, 256, [](int x, int y) {
    const double d = std::hypot(x % 16 - 7.5, (y % 16 - 7.5) * 1.6) / 8;
    return d >= 1 ? 0u : 0xFFF0A0C0u;
  });
}

class CGoldenSheet {
 public:
  CGoldenSheet(const std::string& name, int columns, int tiles)
      : name(name),
        columns(columns),
        width(columns * kTileW),
        height((tiles + columns - 1) / columns * kTileH),
        pixels(static_cast<size_t>(width) * height, 0xFF000000u) {}

  void Put(int index, const CTestPictureHost& host) {
    const int ox = index % columns * kTileW, oy = index / columns * kTileH;
    for (int y = 0; y < kTileH; ++y)
      for (int x = 0; x < kTileW; ++x)
        pixels[static_cast<size_t>(oy + y) * width + ox + x] = host.At(x, y) | 0xFF000000u;
  }

  void Compare() const {
    const std::filesystem::path golden =
        std::filesystem::path(ZEL_SOURCE_DIR) / "tests/gfx/golden" / (name + ".png");
    if (std::getenv("ZEL_UPDATE_GOLDEN")) {
      ASSERT_TRUE(CPngWriter::Write(golden.string(), pixels.data(), width, height, width, false));
      return;
    }
    ASSERT_TRUE(std::filesystem::exists(golden)) << golden << " is missing; run with ZEL_UPDATE_GOLDEN=1";
    std::filesystem::copy_file(golden, "golden.png", std::filesystem::copy_options::overwrite_existing);
    CLooseFiles::Instance().ForgetListings();
    CSurface expected;
    ASSERT_TRUE(expected.Load("golden.png"));
    ASSERT_EQ(expected.Width(), width);
    ASSERT_EQ(expected.Height(), height);
    int bad = 0;
    for (size_t i = 0; i < pixels.size(); ++i) {
      for (int c = 0; c < 24; c += 8) {
        const int d = int((pixels[i] >> c) & 255) - int((expected.Pixels()[i] >> c) & 255);
        if (std::abs(d) > 2) {
          ++bad;
          break;
        }
      }
    }
    if (bad) {
      const std::string actual = std::string(ZEL_BUILD_DIR) + "/" + name + ".actual.png";
      CPngWriter::Write(actual, pixels.data(), width, height, width, false);
      ADD_FAILURE() << bad << " pixels differ from " << golden << "; this run's sheet is " << actual;
    }
  }

 private:
  std::string name;
  int columns;
  int width;
  int height;
  std::vector<uint32_t> pixels;
};

#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gfx/Display.h"
#include "gfx/PngDecoder.h"
#include "gfx/PngWriter.h"
#include "gfx/Surface.h"
#include "io/ArchiveWriter.h"
#include "io/PackArchive.h"
#include "io/PackMemFile.h"
#include "persist/Settings.h"
#include "platform/FontRasterizer.h"
#include "script/GameClock.h"
#include "ui/MessageHost.h"

namespace texttest {

// Glyphs that name their character: every 4 x 4 block of the big rendering is one flat value, so
// after the box filter glyph pixel (x, y) of character code has exactly alpha Coverage(code, x, y).
inline uint8_t Coverage(uint16_t code, int x, int y) {
  return static_cast<uint8_t>((code * 37u + static_cast<unsigned>(x) * 11u + static_cast<unsigned>(y) * 5u) &
                              0xFF);
}

class CPatternRasterizer : public IFontRasterizer {
 public:
  // solid: every glyph is a fully covered square (for exact effect offsets).
  explicit CPatternRasterizer(bool solid = false) : solid(solid) {}
  class CFace : public IFace {
   public:
    explicit CFace(CPatternRasterizer& owner) : owner(owner) {}
    void Render(uint16_t code, uint8_t* coverage, int width, int rows) override {
      ++owner.renders;
      for (int y = 0; y < rows; ++y)
        for (int x = 0; x < width; ++x)
          coverage[y * width + x] = owner.solid ? 255 : Coverage(code, x / 4, y / 4);
    }

   private:
    CPatternRasterizer& owner;
  };
  std::unique_ptr<IFace> OpenFace(const std::string& name, int height) override {
    lastFace = name;
    lastHeight = height;
    return std::make_unique<CFace>(*this);
  }
  std::vector<std::string> ListJapaneseFaces() override { return {}; }

  bool solid;
  int renders = 0;
  int lastHeight = 0;
  std::string lastFace;
};

// The engine as the message text sees it, with every state settable by the test.
class CFakeMessageHost : public IMessageHost {
 public:
  int32_t GetMode() const override { return mode; }
  void SetMode(int32_t value) override {
    modes.push_back(value);
    mode = value;
    waitLength = 0;
  }
  void SetWaitLength(int32_t ticks) override { waitLength = ticks; }
  int32_t GetLostTicks() const override { return lostTicks; }
  void SetLostTicks(int32_t ticks) override { lostTicks = ticks; }
  bool IsOpeningRunning() const override { return opening; }
  bool IsDemoMode() const override { return demo; }
  bool HasScreenMode() const override { return screenMode; }
  bool IsForcedSkip() const override { return forcedSkip; }
  bool IsSkipMode() const override { return skipMode; }
  bool IsAutoMode() const override { return autoMode; }
  bool IsControlKeyHeld() const override { return control; }
  std::string CurrentScriptName() const override { return script; }
  int32_t CurrentCommandNumber() const override { return command; }
  int32_t GetMenuState() const override { return menuState; }
  bool IsDialogOpen() const override { return dialog; }
  bool IsReplay() const override { return replay; }
  const std::vector<SChoice>& Choices() const override { return choices; }
  const std::vector<SClickRegion>& ClickRegions() const override { return regions; }
  int32_t GetChoiceHover() const override { return hover; }
  const CGameClock& GameClock() const override { return clock; }

  int32_t mode = 0;
  int32_t waitLength = 0;
  int32_t lostTicks = 0;
  std::vector<int32_t> modes;
  bool opening = false, demo = false, screenMode = false, forcedSkip = false;
  bool skipMode = false, autoMode = false, control = false, dialog = false, replay = false;
  std::string script = "scenario\\test.adv";
  int32_t command = 0;
  int32_t menuState = 0;
  std::vector<SChoice> choices;
  std::vector<SClickRegion> regions;
  int32_t hover = -1;
  CGameClock clock;
};

inline std::vector<uint8_t> Bytes(const std::string& text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

// Packs setting.csv (header added) and further files into the system archive of the working folder
// and loads the settings from it.
inline void LoadGame(const std::string& settingRows,
                     const std::vector<std::pair<std::string, std::string>>& files = {}) {
  std::vector<std::pair<std::string, std::vector<uint8_t>>> entries;
  entries.emplace_back("setting.csv", Bytes("項目,パラメータ\r\n" + settingRows));
  for (const auto& [name, text] : files) entries.emplace_back(name, Bytes(text));
  CPackArchive::Instance().UnmountAll();
  ASSERT_TRUE(CArchiveWriter::WriteAll("system", entries));
  testing::internal::CaptureStderr();
  const bool ok = settings::LoadSettings();
  testing::internal::GetCapturedStderr();
  ASSERT_TRUE(ok);
}

// Compares the screen with a golden PNG under tests/ui/golden, channel by channel within tolerance.
// ZEL_UPDATE_GOLDEN=1 (re)writes the golden picture instead. On a mismatch the screen and a diff
// picture (white where a channel differs by more than the tolerance) are written to the build folder.
inline void ExpectMatchesGolden(const CDisplay& display, const std::string& name, int tolerance) {
  const std::string golden = std::string(ZEL_SOURCE_DIR) + "/tests/ui/golden/" + name + ".png";
  const int w = display.Width(), h = display.Height();
  if (std::getenv("ZEL_UPDATE_GOLDEN")) {
    ASSERT_TRUE(CPngWriter::Write(golden, display.Pixels(), w, h, w, false));
    return;
  }
  std::ifstream in(golden, std::ios::binary);
  ASSERT_TRUE(in) << "missing golden picture " << golden;
  CPackMemFile file(
      std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
  CSurface expected;
  ASSERT_TRUE(DecodePng(file, expected));
  ASSERT_EQ(expected.Width(), w);
  ASSERT_EQ(expected.Height(), h);
  std::vector<uint32_t> diff(static_cast<size_t>(w) * h, 0xFF000000u);
  int bad = 0;
  for (int i = 0; i < w * h; ++i) {
    const uint32_t a = display.Pixels()[i], b = expected.Pixels()[i];
    for (int shift = 0; shift < 24; shift += 8) {
      if (std::abs(static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255)) > tolerance) {
        diff[i] = 0xFFFFFFFFu;
        ++bad;
        break;
      }
    }
  }
  if (bad == 0) return;
  const std::string out = std::string(ZEL_BUILD_DIR) + "/" + name;
  CPngWriter::Write(out + "-actual.png", display.Pixels(), w, h, w, false);
  CPngWriter::Write(out + "-diff.png", diff.data(), w, h, w, false);
  ADD_FAILURE() << bad << " pixels differ from " << golden << "; see " << out << "-actual.png and -diff.png";
}

}  // namespace texttest

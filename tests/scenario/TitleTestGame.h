#pragma once
// A small game folder for the start-up screens: a system archive holding setting.csv and the layouts
// with solid-colour pictures, and an engine object on the headless platform with a display and a
// sound device. Sound files are not needed: the loader records every name the engine asks for.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/GameSystem.h"
#include "app/RedrawCheck.h"
#include "audio/SoundSource.h"
#include "audio/SoundSystem.h"
#include "gfx/DrawTarget.h"
#include "gfx/PngWriter.h"
#include "gfx/ShapeDraw.h"
#include "io/ArchiveWriter.h"
#include "io/PackArchive.h"
#include "io/TempDir.h"
#include "persist/Settings.h"
#include "platform/headless/HeadlessPlatform.h"

class CTitleTestGame : public ::testing::Test {
 protected:
  static constexpr uint32_t kBackground = 0xFF406080u;
  static constexpr uint32_t kHighlight = 0xFFFFE0A0u;

  void TearDown() override {
    game.Sound().ShutdownSound();
    CPackArchive::Instance().UnmountAll();
  }

  // Packs setting.csv (header added) and the files added so far into the system archive and loads
  // the settings from it; the first call also starts the display and the sound device.
  void UseSettings(const std::string& rows) {
    AddSystemFile("setting.csv", "項目,パラメータ\n" + rows);
    CPackArchive::Instance().UnmountAll();
    ASSERT_TRUE(CArchiveWriter::WriteAll("system", systemFiles));
    ASSERT_TRUE(settings::LoadSettings());
    if (game.Display().Width() != 0) return;
    game.Display().Init(nullptr, 800, 600, true);
    game.Sound().InitSound(platform.Audio());
    game.Sound().SetSourceLoader([this](const std::string& name) {
      requested.push_back(name);
      return std::unique_ptr<CSoundSource>();
    });
  }
  // A file of the system archive; name is relative to the archive ("title\\bg.scn"). A later file of
  // the same name replaces the earlier one.
  void AddSystemFile(const std::string& name, const std::string& text) {
    AddSystemFile(name, std::vector<uint8_t>(text.begin(), text.end()));
  }
  void AddSystemFile(const std::string& name, std::vector<uint8_t> bytes) {
    std::erase_if(systemFiles, [&name](const auto& file) { return file.first == name; });
    systemFiles.emplace_back(name, std::move(bytes));
  }
  void AddSolidImage(const std::string& name, int w, int h, uint32_t colour) {
    std::vector<uint32_t> pixels(size_t(w) * h, colour);
    ASSERT_TRUE(CPngWriter::Write("solid.png", pixels.data(), w, h, w, true));
    AddSystemFile(name, CTempDir::Read("solid.png"));
  }
  uint32_t At(int x, int y) { return game.Display().Pixels()[y * 800 + x]; }
  // Draws a frame of the screen mode over the dirty spans, as the engine does, and expects the same
  // picture as the frame drawn whole.
  void DrawChecked(CScreenMode& screen, int32_t x = 0, int32_t y = 0) {
    const auto draw = [&] {
      game.Display().FillDirty(0);
      screen.Draw(x, y);
    };
    draw();
    const std::optional<SRect> difference = redrawCheck.Check(game.Display(), draw);
    EXPECT_FALSE(difference) << "drawn without a mark at " << difference->left << "," << difference->top;
  }
  // What a solid colour becomes under black of the given alpha.
  static uint32_t Darkened(uint32_t colour, int32_t alpha) {
    shapes::FillRect(SDrawTarget::Unclipped(&colour, 1, 1), 0, 0, 1, 1, uint32_t(alpha) << 24);
    return colour;
  }

  CTempDir dir;
  CRedrawCheck redrawCheck;
  CHeadlessPlatform platform{CInputScript(), true};
  CGameSystem game{platform};
  std::vector<std::string> requested;
  std::vector<std::pair<std::string, std::vector<uint8_t>>> systemFiles;
};

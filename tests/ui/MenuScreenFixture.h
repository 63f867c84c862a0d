#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TextTestSupport.h"
#include "io/TempDir.h"
#include "ui/MenuHost.h"
#include "ui/MenuLayer.h"
#include "ui/MessageText.h"
#include "ui/MessageWindow.h"

namespace menutest {

// The engine as the menu layer sees it: records what the screens ask of it.
class CFakeMenuHost : public IMenuHost {
 public:
  int32_t GetMode() const override { return 3; }
  size_t ChoiceCount() const override { return 0; }
  bool IsSkipMode() const override { return false; }
  void SetSkipMode(bool) override {}
  bool IsAutoMode() const override { return false; }
  void SetAutoMode(bool) override {}
  bool IsReplay() const override { return false; }
  bool IsMenuLocked() const override { return false; }
  void PlayDecideSound() override {}
  void StopVoice() override { ++voiceStops; }
  void ReturnToTitle() override {}
  bool SaveGame(int32_t) override { return true; }
  bool LoadGame(int32_t) override { return true; }
  bool HasQuickSave() const override { return false; }
  bool HasPreviousChoice() const override { return false; }
  void ShowMessage(const std::string&, const std::string&) override {}

  int voiceStops = 0;
};

// A layout control line by line: name, rectangle and optional image.
inline std::string Control(const std::string& name, int l, int t, int r, int b,
                           const std::string& image = "") {
  std::string text = "CONTROL\r\n";
  if (!name.empty()) text += " NAME " + name + "\r\n";
  text += " POS " + std::to_string(l) + " " + std::to_string(t) + " " + std::to_string(r) + " " +
          std::to_string(b) + "\r\n";
  if (!image.empty()) text += " IMAGE " + image + "\r\n ALPHA 100\r\n";
  return text + "CONTROL END\r\n";
}

// A flat opaque picture as the bytes of a PNG file.
inline std::string FlatPng(int width, int height, uint32_t colour) {
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, colour);
  EXPECT_TRUE(CPngWriter::Write("flat.png", pixels.data(), width, height, width, true));
  const std::vector<uint8_t> bytes = CTempDir::Read("flat.png");
  return std::string(bytes.begin(), bytes.end());
}

// The menu layer over a message text and window on a 400 x 300 screen, the game's files packed into
// the system archive of a fresh folder.
class CMenuScreenTest : public ::testing::Test {
 protected:
  void StartGame(const std::string& settingRows, std::vector<std::pair<std::string, std::string>> files) {
    // The window's own layouts, so the layer starts without reporting missing files.
    for (const char* name : {"window", "click", "date", "menu", "message"})
      files.emplace_back("window\\" + std::string(name) + ".scn", "# empty\r\n");
    texttest::LoadGame("ダイアログ開閉時間,2\r\nウィンドウ開閉時間,2\r\n" + settingRows, files);
    display.Init(nullptr, 400, 300, true);
    text.Reset();
    text.CreateFonts(rasterizer);
    text.SetWindowStyle(0);
    window.LoadLayouts();
    menu.Start();
  }
  void TearDown() override { CPackArchive::Instance().UnmountAll(); }
  // Opens a menu state and runs the frames of its fade.
  void Open(int32_t state) {
    menu.OpenMenu(state);
    for (int i = 0; i < 4; ++i) menu.Update(1);
  }
  // Draws a frame over the dirty spans; with whole, the whole screen first.
  void DrawFrame(int32_t x, int32_t y, bool whole = false) {
    if (whole) display.MarkAllDirty();
    display.FillDirty(0);
    menu.Draw(x, y);
    display.ClearSpans();
  }
  uint32_t At(int x, int y) const { return display.Pixels()[y * display.Width() + x]; }

  CTempDir dir;
  CDisplay display;
  texttest::CPatternRasterizer rasterizer{true};
  texttest::CFakeMessageHost messageHost;
  CFakeMenuHost menuHost;
  CMessageText text{messageHost, display};
  CMessageWindow window{messageHost, text, display};
  CMenuLayer menu{menuHost, display, text, window};
};

}  // namespace menutest

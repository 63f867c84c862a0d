#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "gfx/Display.h"
#include "gfx/PixelBlend.h"
#include "gfx/PngWriter.h"
#include "io/LooseFiles.h"
#include "io/Path.h"
#include "ui/Layout.h"

namespace fs = std::filesystem;

namespace {

constexpr int kScreenW = 320;
constexpr int kScreenH = 240;
constexpr uint32_t kScreenColour = 0xFF204060;

// Image pixel (x, y) is opaque with red x, green y and blue 1, so every drawn pixel names its source.
uint32_t SourcePixel(int x, int y) { return 0xFF000001u | uint32_t(x & 255) << 16 | uint32_t(y & 255) << 8; }

// Loose game files in a temporary folder that is the working directory while the test runs.
class LayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = fs::current_path();
    dir = fs::temp_directory_path() / ("zel-layout-" + std::to_string(::getpid()));
    fs::create_directories(dir / "sys" / "img");
    fs::current_path(dir);
    CLooseFiles::Instance().ForgetListings();
    display.Init(nullptr, kScreenW, kScreenH, true);
    WriteImage("sys/img/sheet.png", 300, 60);
    WriteImage("sys/img/narrow.png", 40, 90);
    WriteImage("sys/bg.png", kScreenW, kScreenH);
  }
  void TearDown() override {
    fs::current_path(previous);
    fs::remove_all(dir);
  }

  void WriteImage(const std::string& path, int w, int h) {
    std::vector<uint32_t> pixels(size_t(w) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) pixels[size_t(y) * w + x] = SourcePixel(x, y);
    ASSERT_TRUE(CPngWriter::Write(path, pixels.data(), w, h, w, true));
  }
  void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }

  // Loads a layout with the given text as sys\test.scn onto a cleared, fully dirty screen.
  void Load(const std::string& text) {
    WriteText("sys/test.scn", text);
    ASSERT_TRUE(layout.Load(display, "sys\\test.scn"));
    ClearScreen();
  }
  void ClearScreen() {
    display.MarkAllDirty();
    display.FillDirty(kScreenColour);
  }
  uint32_t At(int x, int y) const { return display.Pixels()[y * kScreenW + x]; }

  fs::path previous;
  fs::path dir;
  CDisplay display;
  CLayout layout;
};

}  // namespace

TEST_F(LayoutTest, ParsesControlsInFileOrder) {
  Load(
      "BG bg.png\n"
      "CONTROL\n"
      "  NAME \"two words\" extra\n"
      "  POS 10 20 110 50\n"
      "  IMAGE img\\sheet.png\n"
      "  SRC 5 -6\n"
      "  ALPHA 50\n"
      "  BG img\\narrow.png\n"
      "  CONTROL ignored\n"
      "  POS 1 2 3\n"
      "CONTROL END\n"
      "UNKNOWN 1 2\n"
      "CONTROL\n"
      "  NAME 決定\n"
      "  IMAGE img\\sheet.png\n"
      "CONTROL END\n"
      "CONTROL\n"
      "  NAME last\n"
      "  POS -1 -2 3 4");
  ASSERT_EQ(layout.ControlCount(), 3);
  const CLayoutControl& first = layout.Control(0);
  EXPECT_EQ(first.name, "two words");
  EXPECT_EQ(first.rect, (SRect{10, 20, 110, 50}));
  EXPECT_EQ(first.sourceX, 5);
  EXPECT_EQ(first.sourceY, -6);
  EXPECT_EQ(first.alpha, 127);
  // Both controls share the one cached sheet; the BG line inside the control was ignored.
  EXPECT_EQ(layout.Control(1).image, first.image);
  EXPECT_EQ(layout.Control(1).alpha, 100);
  EXPECT_EQ(layout.Control(1).rect, SRect{});
  EXPECT_EQ(layout.Background()->Width(), kScreenW);
  // A control that runs to the end of the file keeps what it read.
  EXPECT_EQ(layout.Control(2).rect, (SRect{-1, -2, 3, 4}));
  EXPECT_EQ(layout.Control(2).image, nullptr);
  EXPECT_EQ(layout.FindControl("決定"), 1);
  EXPECT_EQ(layout.FindControl("missing"), -1);
  int w = -1, h = -1;
  layout.GetImageSize("決定", w, h);
  EXPECT_EQ(w, 300);
  EXPECT_EQ(h, 60);
  layout.GetImageSize("last", w, h);
  EXPECT_EQ(w, 0);
  // The base directory is restored after loading.
  EXPECT_EQ(SetBaseDirectory(""), "");
}

TEST_F(LayoutTest, MissingFilesLeaveEmptyResults) {
  WriteText("sys/test.scn",
            "BG nothing.png\nBG bg.png\nCONTROL\nNAME a\nPOS 0 0 10 10\nIMAGE gone.png\nCONTROL END\n");
  ASSERT_TRUE(layout.Load(display, "sys\\test.scn"));
  int w = -1, h = -1;
  layout.GetImageSize("a", w, h);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
  EXPECT_EQ(layout.GetControlRect("a"), (SRect{0, 0, 10, 10}));
  // The second top-level BG replaces the first.
  EXPECT_EQ(layout.Background()->Width(), kScreenW);
  CLayout missing;
  EXPECT_FALSE(missing.Load(display, "sys\\none.scn"));
  EXPECT_EQ(missing.ControlCount(), 0);
  EXPECT_EQ(missing.GetControlRect("a"), SRect{});
  EXPECT_EQ(missing.Invalidate(), 0);
  missing.DrawAll();
}

TEST_F(LayoutTest, DefaultAlphaIsOneHundredOf255) {
  Load(
      "CONTROL\nNAME soft\nPOS 0 0 4 4\nIMAGE img\\sheet.png\nCONTROL END\n"
      "CONTROL\nNAME hard\nPOS 10 0 14 4\nIMAGE img\\sheet.png\nALPHA 100\nCONTROL END\n");
  layout.Draw("soft");
  layout.Draw("hard");
  const auto m = pixelblend::MakeModulation(0x64FFFFFF);
  EXPECT_EQ(At(2, 3),
            pixelblend::BlendPixel(kScreenColour, SourcePixel(2, 3), m, pixelblend::EBlendMode::kBlit));
  EXPECT_NE(At(2, 3), SourcePixel(2, 3));
  EXPECT_EQ(At(12, 3), SourcePixel(2, 3));
  // Half opacity of alpha 255 is alpha 127.
  ClearScreen();
  layout.Draw("hard", 0.5f);
  EXPECT_EQ(At(12, 3),
            pixelblend::BlendPixel(kScreenColour, SourcePixel(2, 3), pixelblend::MakeModulation(0x7FFFFFFF),
                                   pixelblend::EBlendMode::kBlit));
}

TEST_F(LayoutTest, CellsAndSliders) {
  Load(
      "CONTROL\nNAME digit\nPOS 100 100 200 130\nIMAGE img\\sheet.png\nALPHA 100\nCONTROL END\n"
      "CONTROL\nNAME list\nPOS 0 0 30 30\nIMAGE img\\narrow.png\nALPHA 100\nCONTROL END\n"
      "CONTROL\nNAME knob\nPOS 0 200 100 210\nIMAGE img\\narrow.png\nSRC 0 5\nALPHA 100\nCONTROL END\n");
  // 300-pixel sheet, 100-pixel control: three columns; cell 4 is column 1 of row 1.
  layout.Draw("digit", 1.0f, 4);
  EXPECT_EQ(At(100, 100), SourcePixel(100, 30));
  EXPECT_EQ(At(199, 129), SourcePixel(199, 59));
  // The narrow image (less than twice the control) steps downwards for every cell.
  layout.Draw("list", 1.0f, 2);
  EXPECT_EQ(At(0, 0), SourcePixel(0, 60));
  EXPECT_EQ(At(29, 29), SourcePixel(29, 89));
  // Cell 3 lies below the image: nothing.
  ClearScreen();
  layout.Draw("list", 1.0f, 3);
  EXPECT_EQ(At(0, 0), kScreenColour);
  // Slider 0 puts the 40-pixel knob at the left edge, 1 at the right edge, 0.5 half way.
  layout.Draw("knob");
  EXPECT_EQ(At(0, 200), SourcePixel(0, 5));
  EXPECT_EQ(At(40, 200), kScreenColour);
  ClearScreen();
  layout.Draw("knob", 1.0f, 0, 1.0f);
  EXPECT_EQ(At(59, 200), kScreenColour);
  EXPECT_EQ(At(60, 209), SourcePixel(0, 14));
  EXPECT_EQ(At(99, 200), SourcePixel(39, 5));
  ClearScreen();
  layout.Draw("knob", 1.0f, 0, 0.5f);
  EXPECT_EQ(At(30, 200), SourcePixel(0, 5));
  EXPECT_EQ(At(29, 200), kScreenColour);
}

TEST_F(LayoutTest, DrawByNameEmptyNameAndAll) {
  Load(
      "BG bg.png\n"
      "CONTROL\nPOS 0 0 10 10\nIMAGE img\\narrow.png\nSRC 1 1\nALPHA 100\nCONTROL END\n"
      "CONTROL\nNAME b\nPOS 20 0 30 10\nIMAGE img\\narrow.png\nSRC 2 2\nALPHA 100\nCONTROL END\n"
      "CONTROL\nNAME b\nPOS 40 0 50 10\nIMAGE img\\narrow.png\nSRC 3 3\nALPHA 100\nCONTROL END\n");
  layout.Draw("b");
  EXPECT_EQ(At(20, 0), SourcePixel(2, 2));
  EXPECT_EQ(At(40, 0), SourcePixel(3, 3));
  EXPECT_EQ(At(0, 0), kScreenColour);
  ClearScreen();
  layout.Draw("");
  EXPECT_EQ(At(0, 0), SourcePixel(1, 1));
  EXPECT_EQ(At(20, 0), SourcePixel(20, 0));  // background only
  EXPECT_EQ(At(300, 200), SourcePixel(300, 200));
  ClearScreen();
  layout.DrawAll();
  EXPECT_EQ(At(0, 0), SourcePixel(1, 1));
  EXPECT_EQ(At(40, 0), SourcePixel(3, 3));
  // Drawing stays inside the dirty spans.
  ClearScreen();
  display.ClearSpans();
  display.MarkDirty({22, 5, 24, 6});
  layout.DrawAll();
  EXPECT_EQ(At(22, 5), SourcePixel(4, 7));
  EXPECT_EQ(At(21, 5), kScreenColour);
  EXPECT_EQ(At(22, 4), kScreenColour);
}

TEST_F(LayoutTest, InvalidateMarksBackgroundAndControls) {
  Load("CONTROL\nNAME a\nPOS 10 5 20 7\nCONTROL END\nCONTROL\nNAME b\nPOS 50 6 60 8\nCONTROL END\n");
  display.ClearSpans();
  EXPECT_EQ(layout.Invalidate(), 2);
  EXPECT_GE(display.Span(4).left, display.Span(4).right);
  EXPECT_EQ(display.Span(5).left, 10);
  EXPECT_EQ(display.Span(5).right, 20);
  EXPECT_EQ(display.Span(6).left, 10);
  EXPECT_EQ(display.Span(6).right, 60);
  EXPECT_EQ(display.Span(7).left, 50);
  Load("BG bg.png\n");
  display.ClearSpans();
  EXPECT_EQ(layout.Invalidate(), 0);
  EXPECT_EQ(display.Span(kScreenH - 1).right, kScreenW);
}

TEST_F(LayoutTest, NextControlInReadingOrder) {
  Load(
      "CONTROL\nNAME c\nPOS 50 10 60 20\nCONTROL END\n"
      "CONTROL\nNAME a\nPOS 90 0 99 5\nCONTROL END\n"
      "CONTROL\nNAME b\nPOS 5 10 15 20\nCONTROL END\n"
      "CONTROL\nNAME flat\nPOS 5 30 5 40\nCONTROL END\n");
  const std::vector<std::string> names = {"c", "missing", "a", "b", "flat"};
  // Reading order: a (top 0), b (top 10, left 5), c (top 10, left 50).
  EXPECT_EQ(layout.NextControl(names, -1, 1), 2);
  EXPECT_EQ(layout.NextControl(names, 2, 1), 3);
  EXPECT_EQ(layout.NextControl(names, 3, 1), 0);
  EXPECT_EQ(layout.NextControl(names, 0, 1), 2);
  EXPECT_EQ(layout.NextControl(names, 2, -1), 0);
  EXPECT_EQ(layout.NextControl(names, 0, 2), 3);
  EXPECT_EQ(layout.NextControl(names, 0, -3), 0);
  EXPECT_EQ(layout.NextControl(names, 0, 7), 2);
  // Positions of missing or empty controls come back unchanged, and so does everything when no listed
  // control exists.
  EXPECT_EQ(layout.NextControl(names, 1, 1), 1);
  EXPECT_EQ(layout.NextControl(names, 4, 1), 4);
  EXPECT_EQ(layout.NextControl({"x", "y"}, 1, 1), 1);
  EXPECT_EQ(layout.NextControl({"x", "y"}, -1, 1), -1);
}

TEST_F(LayoutTest, ImagesResolveAgainstTheLayoutFolder) {
  fs::create_directories("sys/sub");
  WriteText("sys/sub/up.scn", "CONTROL\nNAME n\nPOS 0 0 5 5\nIMAGE ..\\img\\narrow.png\nCONTROL END\n");
  ASSERT_TRUE(layout.Load(display, "sys\\sub\\up.scn"));
  int w = 0, h = 0;
  layout.GetImageSize("n", w, h);
  EXPECT_EQ(w, 40);
  EXPECT_EQ(h, 90);
}

TEST_F(LayoutTest, ExtremeNumbersAreSafe) {
  Load(
      "CONTROL\nNAME a\nPOS -2147483648 -2147483648 2147483647 2147483647\nIMAGE img\\sheet.png\n"
      "SRC 2147483647 -2147483648\nALPHA 99999999999\nCONTROL END\n"
      "CONTROL\nNAME b\nPOS 0 0 1 1\nIMAGE img\\sheet.png\nSRC -2147483648 2147483647\nCONTROL END\n");
  EXPECT_EQ(layout.Control(0).alpha, INT32_MAX);
  // The images lie some 2^31 pixels away from the screen.
  layout.DrawAll();
  EXPECT_EQ(At(0, 0), kScreenColour);
  EXPECT_EQ(At(kScreenW - 1, kScreenH - 1), kScreenColour);
  // Cells and sliders at the limits of their types: whatever they show, no arithmetic may overflow
  // (the sanitizer build checks this).
  for (int cell : {1, -1, 2147483647, -2147483647 - 1}) {
    for (float slider : {0.0f, 1.0f, -1e30f, 1e30f, NAN}) {
      layout.Draw("a", 1.0f, cell, slider);
      layout.Draw("b", 1.0f, cell, slider);
    }
  }
}

TEST_F(LayoutTest, TruncatedAndMalformedFiles) {
  const std::string full =
      "BG bg.png\nCONTROL\nNAME a\nPOS 1 2 30 40\nIMAGE img\\sheet.png\nSRC 3 4\nALPHA 100\nCONTROL END\n"
      "CONTROL\nNAME b\nPOS 5 6 7 8\nCONTROL END\n";
  for (size_t n = 0; n <= full.size(); ++n) {
    Load(full.substr(0, n));
    ASSERT_LE(layout.ControlCount(), 2) << n;
    layout.DrawAll();
    layout.Draw("a", 1.0f, 3, 0.5f);
    layout.Invalidate();
  }
  EXPECT_EQ(layout.GetControlRect("b"), (SRect{5, 6, 7, 8}));
  // A NUL byte ends the file; a line longer than 259 bytes goes on as the next line.
  Load("CONTROL\nNAME a\nPOS 1 1 2 2\n" + std::string(259, ' ') + "NAME cut\nCONTROL END\nCON" +
       std::string(1, '\0') + "TROL\nNAME c\nCONTROL END\n");
  EXPECT_EQ(layout.ControlCount(), 1);
  EXPECT_EQ(layout.FindControl("cut"), 0);
  EXPECT_EQ(layout.FindControl("c"), -1);
}

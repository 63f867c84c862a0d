#include <gtest/gtest.h>

#include "TextTestSupport.h"
#include "ui/FontSet.h"
#include "ui/TextFont.h"

using texttest::Coverage;
using texttest::CPatternRasterizer;

namespace {

constexpr uint32_t kScreen = 0xFF404040;

class TextFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    display.Init(nullptr, 160, 120, true);
    Clear();
    CTextFont::SetEffect(CTextFont::kEffectNone, 0);
    CTextFont::SetPassMask(0);
  }
  void TearDown() override {
    CTextFont::SetEffect(CTextFont::kEffectNone, 0);
    CTextFont::SetPassMask(0);
  }
  void Clear() {
    display.MarkAllDirty();
    display.FillDirty(kScreen);
  }
  uint32_t At(int x, int y) const { return display.Pixels()[y * display.Width() + x]; }
  // The atlas pixel of glyph pixel (x, y) in a cell.
  uint32_t AtlasAt(const CTextFont& font, int cell, int x, int y) const {
    const int n = font.CellsPerRow();
    return font.Atlas().Pixel((cell % n) * font.Size() + x, (cell / n) * font.Size() + y);
  }
  // Checks every pixel of the cell against the pattern of the character.
  void ExpectGlyph(const CTextFont& font, int cell, uint16_t code) const {
    for (int y = 0; y < font.Size(); ++y)
      for (int x = 0; x < font.Size(); ++x)
        ASSERT_EQ(AtlasAt(font, cell, x, y), uint32_t{Coverage(code, x, y)} << 24 | 0xFFFFFFu)
            << "cell " << cell << " at " << x << "," << y;
  }

  CDisplay display;
  CPatternRasterizer rasterizer;
  CPatternRasterizer solid{true};
};

}  // namespace

TEST_F(TextFontTest, CharacterCodesPutTheFirstByteLow) {
  const std::string text = "漢A\x82";
  size_t length = 0;
  EXPECT_EQ(CTextFont::NextCharacter(text, 0, length), 0xBF8Au);  // "漢" is 8A BF
  EXPECT_EQ(length, 2u);
  EXPECT_EQ(CTextFont::NextCharacter(text, 2, length), 'A');
  EXPECT_EQ(length, 1u);
  // A lead byte at the end, or before a zero byte, is a character of its own.
  EXPECT_EQ(CTextFont::NextCharacter(text, 3, length), 0x82u);
  EXPECT_EQ(length, 1u);
  const std::string withZero("\x82\0", 2);
  EXPECT_EQ(CTextFont::NextCharacter(withZero, 0, length), 0x82u);
  EXPECT_EQ(length, 1u);
}

TEST_F(TextFontTest, MeasuresFullWidthAsTheSizeAndHalfWidthAsHalf) {
  CTextFont font;
  ASSERT_TRUE(font.Create(display, rasterizer, "ＭＳ ゴシック", 24));
  int width = 0, height = 0;
  font.MeasureText("あいA", width, height);
  EXPECT_EQ(width, 60);
  EXPECT_EQ(height, 24);
  font.MeasureText("A\x82", width, height);
  EXPECT_EQ(width, 24);
  // An odd size halves with truncation.
  CTextFont odd;
  odd.Create(display, rasterizer, "x", 25);
  EXPECT_EQ(odd.TextWidth("ab漢"), 12 + 12 + 25);
  EXPECT_EQ(rasterizer.lastHeight, 100);
  EXPECT_EQ(rasterizer.lastFace, "x");
}

TEST_F(TextFontTest, SizesOutsideTheAtlasAreKeptInRange) {
  CTextFont tiny;
  tiny.Create(display, rasterizer, "x", 0);
  EXPECT_EQ(tiny.Size(), 2);
  EXPECT_EQ(tiny.CellsPerRow(), 128);
  CTextFont huge;
  huge.Create(display, rasterizer, "x", 300);
  EXPECT_EQ(huge.Size(), 256);
  EXPECT_EQ(huge.GetCell('A'), 0);
}

TEST_F(TextFontTest, BoxFilterAveragesFourByFourBlocks) {
  CTextFont font;
  font.Create(display, rasterizer, "x", 24);
  const int cell = font.GetCell(0x9A8A);
  ExpectGlyph(font, cell, 0x9A8A);
}

TEST_F(TextFontTest, LeastRecentlyUsedGlyphGivesUpItsCellAndIsRenderedAgain) {
  CTextFont font;
  font.Create(display, rasterizer, "x", 64);  // 4 x 4 = 16 cells
  ASSERT_EQ(font.CellsPerRow(), 4);
  std::vector<int> cellOf(20);
  // The free cells are handed out from the end of the usage list.
  for (uint16_t c = 0; c < 16; ++c) {
    cellOf[c] = font.GetCell(0x40 + c);
    EXPECT_EQ(cellOf[c], 15 - c);
  }
  EXPECT_EQ(rasterizer.renders, 16);
  // Using character 0 again makes it the most recent; a cached glyph is not rendered again.
  EXPECT_EQ(font.GetCell(0x40), cellOf[0]);
  EXPECT_EQ(rasterizer.renders, 16);
  // The 17th character takes the cell of character 1, now the least recently used.
  const int newCell = font.GetCell(0x60);
  EXPECT_EQ(newCell, cellOf[1]);
  EXPECT_EQ(font.CellCode(newCell), 0x60);
  ExpectGlyph(font, newCell, 0x60);
  // Character 1 comes back in the cell of character 2 with its own glyph.
  const int back = font.GetCell(0x41);
  EXPECT_EQ(back, cellOf[2]);
  EXPECT_EQ(rasterizer.renders, 18);
  ExpectGlyph(font, back, 0x41);
  EXPECT_EQ(font.GetCell(0x60), newCell);
  EXPECT_EQ(font.GetCell(0x40), cellOf[0]);
}

TEST_F(TextFontTest, DrawsGlyphsWithColourAndAdvances) {
  CTextFont font;
  font.Create(display, solid, "x", 8);
  font.DrawText(10, 20, "A漢B", 0xFF00FF00);
  // A at 10..13 (half width cell of 8 drawn whole), 漢 at 14..21, B at 22..29.
  EXPECT_EQ(At(10, 20), 0xFF00FF00u);
  EXPECT_EQ(At(14, 27), 0xFF00FF00u);
  EXPECT_EQ(At(29, 27), 0xFF00FF00u);
  EXPECT_EQ(At(30, 20), kScreen);
  EXPECT_EQ(At(9, 20), kScreen);
  EXPECT_EQ(At(10, 28), kScreen);
}

TEST_F(TextFontTest, EdgeSurroundsTheTextByOnePixel) {
  CTextFont font;
  font.Create(display, solid, "x", 8);
  CTextFont::SetEffect(CTextFont::kEffectEdge, 0x12000000);  // only the effect's RGB counts
  font.DrawText(10, 10, "漢", 0xFFFFFFFF);
  // Effect at (10..18, 10..18) in black, text one pixel in at (11..19).
  EXPECT_EQ(At(10, 10), 0xFF000000u);
  EXPECT_EQ(At(19, 19), 0xFF000000u);
  EXPECT_EQ(At(11, 11), 0xFFFFFFFFu);
  EXPECT_EQ(At(18, 18), 0xFFFFFFFFu);
  EXPECT_EQ(At(20, 20), kScreen);
  EXPECT_EQ(At(9, 10), kScreen);
}

TEST_F(TextFontTest, ShadowFallsRightAndDownAndTakesTheTextAlpha) {
  CTextFont font;
  font.Create(display, solid, "x", 8);
  CTextFont::SetEffect(CTextFont::kEffectShadow, 0xFF0000FF);
  font.DrawText(10, 10, "漢", 0xFFFFFFFF);
  EXPECT_EQ(At(10, 10), 0xFFFFFFFFu);
  EXPECT_EQ(At(17, 17), 0xFFFFFFFFu);
  EXPECT_EQ(At(18, 18), 0xFF0000FFu);
  EXPECT_EQ(At(18, 10), 0xFF0000FFu);
  EXPECT_EQ(At(10, 18), 0xFF0000FFu);
  EXPECT_EQ(At(19, 19), kScreen);
  // A translucent text colour makes the shadow translucent too: alpha 0 draws nothing at all.
  Clear();
  font.DrawText(10, 10, "漢", 0x00FFFFFF);
  EXPECT_EQ(At(18, 18), kScreen);
}

TEST_F(TextFontTest, PassMaskSuppressesEitherPass) {
  CTextFont font;
  font.Create(display, solid, "x", 8);
  CTextFont::SetEffect(CTextFont::kEffectEdge, 0xFF000000);
  CTextFont::SetPassMask(CTextFont::kSkipTextPass);
  font.DrawText(10, 10, "漢", 0xFFFFFFFF);
  EXPECT_EQ(At(11, 11), 0xFF000000u);
  CTextFont::SetPassMask(CTextFont::kSkipEffectPass);
  font.DrawText(10, 10, "漢", 0xFFFFFFFF);
  EXPECT_EQ(At(11, 11), 0xFFFFFFFFu);
  EXPECT_EQ(At(10, 10), 0xFF000000u);
  Clear();
  CTextFont::SetPassMask(CTextFont::kSkipEffectPass | CTextFont::kSkipTextPass);
  font.DrawText(10, 10, "漢", 0xFFFFFFFF);
  EXPECT_EQ(At(11, 11), kScreen);
}

TEST_F(TextFontTest, FontSetSizesAndClasses) {
  CFontSet fonts;
  EXPECT_TRUE(fonts.Create(display, rasterizer, "x", 24));
  const int sizes[] = {12, 18, 24, 36, 48};
  for (int i = 0; i < CFontSet::kCount; ++i) EXPECT_EQ(fonts.Font(i).Size(), sizes[i]);
  EXPECT_EQ(CFontSet::SizeClass(-5), 0);
  EXPECT_EQ(CFontSet::SizeClass(50), 0);
  EXPECT_EQ(CFontSet::SizeClass(51), 1);
  EXPECT_EQ(CFontSet::SizeClass(100), 2);
  EXPECT_EQ(CFontSet::SizeClass(150), 3);
  EXPECT_EQ(CFontSet::SizeClass(151), 4);
  EXPECT_EQ(CFontSet::SizeClass(1000), 4);
}

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/FontRasterizer.h"
#include "platform/font/FreeTypeFace.h"

namespace {

constexpr int kCell = 96;

struct SInk {
  int left = kCell, top = kCell, right = -1, bottom = -1;
  int sum = 0;
};

SInk Render(IFontRasterizer::IFace& face, uint16_t code) {
  std::vector<uint8_t> coverage(kCell * kCell, 0x55);
  face.Render(code, coverage.data(), kCell, kCell);
  SInk ink;
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x) {
      const int v = coverage[y * kCell + x];
      if (v == 0) continue;
      ink.sum += v;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  return ink;
}

}  // namespace

TEST(FontRasterizerTest, ShiftJisCodesBecomeCodePoints) {
  EXPECT_EQ(CFreeTypeFace::ToCodePoint('A'), U'A');
  EXPECT_EQ(CFreeTypeFace::ToCodePoint(0xA082), U'あ');  // bytes 82 A0
  EXPECT_EQ(CFreeTypeFace::ToCodePoint(0xBF8A), U'漢');  // bytes 8A BF
  EXPECT_EQ(CFreeTypeFace::ToCodePoint(0xB1), U'ｱ');     // half-width katakana
  EXPECT_EQ(CFreeTypeFace::ToCodePoint(0x82), 0u);       // a lone lead byte
}

TEST(FontRasterizerTest, JapaneseFaceDrawsInsideTheCellFromItsTopLeft) {
  const std::unique_ptr<IFontRasterizer> rasterizer = CreateFontRasterizer();
  ASSERT_TRUE(rasterizer);
  // The Windows face name is not installed; the Japanese fallback must still cover kana.
  const std::unique_ptr<IFontRasterizer::IFace> face = rasterizer->OpenFace("ＭＳ ゴシック", kCell);
  ASSERT_TRUE(face);
  const SInk full = Render(*face, 0xBF8A);
  ASSERT_GT(full.sum, 0);
  EXPECT_GE(full.left, 0);
  EXPECT_LT(full.top, kCell / 6);
  EXPECT_GT(full.right, kCell * 3 / 4);
  EXPECT_GT(full.bottom, kCell * 3 / 4);
  // A one-byte letter stays in the left half of the cell and on the same baseline region.
  const SInk letter = Render(*face, 'A');
  ASSERT_GT(letter.sum, 0);
  EXPECT_LT(letter.right, kCell / 2);
  EXPECT_LT(letter.bottom, kCell);
  // Anti-aliased: some edge pixels lie between black and white.
  std::vector<uint8_t> coverage(kCell * kCell);
  face->Render(0xA082, coverage.data(), kCell, kCell);
  EXPECT_TRUE(std::any_of(coverage.begin(), coverage.end(), [](uint8_t v) { return v > 0 && v < 255; }));
  // Nothing to draw clears the buffer.
  EXPECT_EQ(Render(*face, 0x82).sum, 0);
  EXPECT_EQ(Render(*face, ' ').sum, 0);
}

TEST(FontRasterizerTest, ListsInstalledJapaneseFacesInShiftJis) {
  const std::unique_ptr<IFontRasterizer> rasterizer = CreateFontRasterizer();
  ASSERT_TRUE(rasterizer);
  const std::vector<std::string> faces = rasterizer->ListJapaneseFaces();
  EXPECT_NE(std::find(faces.begin(), faces.end(), std::string("IPAゴシック")), faces.end());
  EXPECT_TRUE(std::is_sorted(faces.begin(), faces.end()));
  EXPECT_EQ(std::adjacent_find(faces.begin(), faces.end()), faces.end());
  EXPECT_FALSE(rasterizer->OpenFace("x", 0));
}

// DejaVu Sans reaches above and below its em square (ascent 1901 + descent 483 of 2048), as Noto
// Sans CJK does; every glyph must still be drawn whole.
TEST(FontRasterizerTest, FaceTallerThanItsEmSquareKeepsEveryGlyphWhole) {
  // Fontconfig's configuration is loaded for this lookup and released after it, as the rasteriser
  // does, so the leak checker sees nothing of it.
  ASSERT_TRUE(FcInit());
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("DejaVu Sans"));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  FcChar8* file = nullptr;
  const bool found = match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch;
  const std::string path = found ? reinterpret_cast<const char*>(file) : "";
  if (match) FcPatternDestroy(match);
  FcFini();
  FT_Library raw = nullptr;
  ASSERT_EQ(FT_Init_FreeType(&raw), 0);
  std::shared_ptr<FT_LibraryRec_> library(raw, [](FT_Library l) { FT_Done_FreeType(l); });
  FT_Face ftFace = nullptr;
  if (path.empty() || FT_New_Face(raw, path.c_str(), 0, &ftFace) != 0) GTEST_SKIP() << "no DejaVu Sans";
  if (ftFace->ascender - ftFace->descender <= ftFace->units_per_EM) {
    FT_Done_Face(ftFace);
    GTEST_SKIP() << "this DejaVu Sans fits its em square";
  }
  CFreeTypeFace face(library, ftFace, 24);
  // A capital with a diaeresis ("Ё"), the integral sign and plain letters: the coverage holds all
  // the ink FreeType drew for each, so no row was cut at the top or the bottom.
  for (uint16_t code : {uint16_t(0x4684), uint16_t(0xE781), uint16_t('A'), uint16_t('g'), uint16_t('l')}) {
    std::vector<uint8_t> coverage(24 * 24, 0);
    face.Render(code, coverage.data(), 24, 24);
    const FT_Bitmap& bitmap = ftFace->glyph->bitmap;
    long drawn = 0, whole = 0;
    for (uint8_t v : coverage) drawn += v;
    for (unsigned y = 0; y < bitmap.rows; ++y)
      for (unsigned x = 0; x < bitmap.width; ++x) whole += bitmap.buffer[y * bitmap.pitch + x];
    EXPECT_GT(whole, 0) << std::hex << code;
    EXPECT_EQ(drawn, whole) << "cut glyph " << std::hex << code;
  }
}

#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "gfx/Surface.h"
#include "platform/FontRasterizer.h"

class CDisplay;

// A font of one pixel size with its glyph cache. Each Shift JIS character is rendered once by the
// rasteriser at four times the size, shrunk by a 4 x 4 box filter to a white glyph with alpha and
// kept in a 256 x 256 atlas of square cells; when the atlas is full the least recently used glyph
// gives up its cell. Strings are drawn by blitting cells with colour modulation: two-byte
// characters advance by the size, one-byte characters by half of it. A text effect (shadow or
// edge) is drawn in a pass of its own before the text.
class CTextFont {
 public:
  enum EEffect { kEffectNone = 0, kEffectShadow = 1, kEffectEdge = 2 };
  // Bits of the pass mask: a set bit suppresses that pass.
  static constexpr int kSkipEffectPass = 4;
  static constexpr int kSkipTextPass = 8;
  static constexpr int kAtlasSize = 256;
  static constexpr uint16_t kNone = 0xFFFF;

  // Builds the atlas and the empty usage list for cells of size pixels (kept within 2 to 256, so a
  // bad font size can neither divide by zero nor overflow the 16-bit cell numbers). Without a face
  // the glyphs stay blank. False when the face could not be opened.
  bool Create(CDisplay& display, IFontRasterizer& rasterizer, const std::string& faceName, int size);

  int Size() const { return size; }
  int CellsPerRow() const { return cellsPerRow; }
  // Forgets every cached glyph: the next use of each character renders it again.
  void ClearCache() { ResetUsage(); }
  // The atlas cell holding the character's glyph, rendered now when it is not cached.
  int GetCell(uint16_t code);
  // The character now held by a cell, or kNone.
  uint16_t CellCode(int cell) const { return cells[cell].code; }
  // How many glyphs have been rendered since Create (for measuring the cache).
  int64_t RenderCount() const { return renderCount; }
  const CSurface& Atlas() const { return atlas; }

  // Draws the string at (x, y) in colour 0xAARRGGBB into the screen, clipped to its dirty spans.
  void DrawText(int x, int y, std::string_view text, uint32_t colour);
  // Width: the sum of the advances; height: the size.
  void MeasureText(std::string_view text, int& width, int& height) const;
  int TextWidth(std::string_view text) const;

  // The process-wide text effect and its colour (only red, green and blue are used).
  static void SetEffect(EEffect effect, uint32_t colour);
  // Takes the effect from the settings ("フォント効果", "フォント効果の色").
  static void LoadEffectSettings();
  static EEffect Effect();
  static void SetPassMask(int mask);
  static int PassMask();

  // The next character of text from pos: its 16-bit code (a lead byte followed by a non-zero byte
  // forms a two-byte character, first byte in the low 8 bits) and its length in bytes.
  static uint16_t NextCharacter(std::string_view text, size_t pos, size_t& length);

 private:
  struct SCell {
    uint16_t code = kNone;
    uint16_t previous = kNone;
    uint16_t next = kNone;
    // The rows of the cell with any coverage; drawing the others would change no pixel.
    uint16_t inkTop = 0, inkBottom = 0;
  };

  void ResetUsage();
  void Unlink(uint16_t cell);
  void PushFront(uint16_t cell);
  void RenderGlyph(uint16_t code, int cell);
  void FindInk(SCell& cell) const;
  void DrawPass(int x, int y, std::string_view text, uint32_t colour, bool effectPass);
  void DrawCell(int cell, int x, int y, uint32_t colour);

  CDisplay* display = nullptr;
  std::unique_ptr<IFontRasterizer::IFace> face;
  int size = 0;
  int cellsPerRow = 0;
  CSurface atlas;
  std::vector<SCell> cells;
  uint16_t head = kNone;
  uint16_t tail = kNone;
  std::unordered_map<uint16_t, uint16_t> characterMap;
  std::vector<uint8_t> coverage;
  std::vector<uint32_t> glyph;
  int64_t renderCount = 0;
};

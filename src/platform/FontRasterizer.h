#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The operating system's font service as the glyph cache needs it: faces chosen by a Shift JIS name
// and drawn one character at a time as a white-on-black coverage image, and the list of installed
// faces that can show Japanese (for the font choice of the config screen).
class IFontRasterizer {
 public:
  // One face at one pixel height (the height of a full-width character cell).
  class IFace {
   public:
    virtual ~IFace() = default;
    // Draws the Shift JIS character (code below 256: one byte; otherwise the low byte first, then
    // the high byte) white on black into coverage (width x height bytes, rows top-down, 0 black to
    // 255 white), aligned at the top-left corner of the character cell. The buffer is cleared
    // first; a character the face cannot show leaves it black.
    virtual void Render(uint16_t code, uint8_t* coverage, int width, int height) = 0;
  };

  virtual ~IFontRasterizer() = default;
  // The installed face that best matches the Shift JIS face name for Japanese text, at a cell
  // height of height pixels; null when no face can be opened at all.
  virtual std::unique_ptr<IFace> OpenFace(const std::string& faceName, int height) = 0;
  // The names (Shift JIS) of the installed faces that cover Japanese, sorted, each once.
  virtual std::vector<std::string> ListJapaneseFaces() = 0;
};

// The FreeType and fontconfig rasteriser; null when FreeType cannot start.
std::unique_ptr<IFontRasterizer> CreateFontRasterizer();

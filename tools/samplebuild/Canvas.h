#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

#include "gfx/Display.h"
#include "ui/TextFont.h"

class IFontRasterizer;

// A picture of the sample game painted in a display's buffer, which starts transparent, with labels
// drawn through a glyph cache of its own (none when no font rasteriser is available).
class CCanvas {
 public:
  CCanvas(int width, int height, IFontRasterizer* rasterizer, int labelSize);

  void Paint(int x0, int y0, int x1, int y1, uint32_t colour);
  // A translucent panel with a one-pixel border.
  void Panel(int x0, int y0, int x1, int y1, uint32_t fill, uint32_t border);
  // A label centred in the rectangle.
  void Label(int x0, int y0, int x1, int y1, const std::string& text, uint32_t colour);
  bool Save(const std::filesystem::path& path);
  // As a top-down 32-bit BMP (pixels stored as they are in memory).
  bool SaveBmp(const std::filesystem::path& path);

  CDisplay display;

 private:
  CTextFont font;
  bool hasFont = false;
};

#include "Canvas.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "gfx/PngWriter.h"
#include "platform/FontRasterizer.h"

CCanvas::CCanvas(int width, int height, IFontRasterizer* rasterizer, int labelSize) {
  display.Init(nullptr, width, height, true);
  if (rasterizer) font.Create(display, *rasterizer, "ＭＳ ゴシック", labelSize);
  hasFont = rasterizer != nullptr;
}

void CCanvas::Paint(int x0, int y0, int x1, int y1, uint32_t colour) {
  for (int y = std::max(y0, 0); y < std::min(y1, display.Height()); ++y)
    for (int x = std::max(x0, 0); x < std::min(x1, display.Width()); ++x)
      display.Pixels()[y * display.Width() + x] = colour;
}

void CCanvas::Panel(int x0, int y0, int x1, int y1, uint32_t fill, uint32_t border) {
  Paint(x0, y0, x1, y1, border);
  Paint(x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill);
}

void CCanvas::Label(int x0, int y0, int x1, int y1, const std::string& text, uint32_t colour) {
  if (!hasFont) return;
  display.MarkAllDirty();
  font.DrawText((x0 + x1 - font.TextWidth(text)) / 2, (y0 + y1 - font.Size()) / 2, text, colour);
}

bool CCanvas::Save(const std::filesystem::path& path) {
  return CPngWriter::Write(path.string(), display.Pixels(), display.Width(), display.Height(),
                           display.Width(), true);
}

bool CCanvas::SaveBmp(const std::filesystem::path& path) {
  const uint32_t w = uint32_t(display.Width()), h = uint32_t(display.Height());
  std::vector<uint8_t> out = {'B', 'M'};
  const auto put = [&out](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
  };
  put(54 + w * h * 4, 4);
  put(0, 4);
  put(54, 4);
  put(40, 4);
  put(w, 4);
  put(uint32_t(-int32_t(h)), 4);
  put(1, 2);
  put(32, 2);
  for (int i = 0; i < 6; ++i) put(0, 4);
  const auto* pixels = reinterpret_cast<const uint8_t*>(display.Pixels());
  out.insert(out.end(), pixels, pixels + size_t(w) * h * 4);
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
  return bool(file);
}

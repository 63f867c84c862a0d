#include "ui/TextFont.h"

#include <algorithm>

#include "gfx/Display.h"
#include "io/ShiftJis.h"
#include "persist/Settings.h"

namespace {

// The drawing state every font shares, as the settings loader sets it.
CTextFont::EEffect gEffect = CTextFont::kEffectNone;
uint32_t gEffectColour = 0;
int gPassMask = 0;

}  // namespace

bool CTextFont::Create(CDisplay& targetDisplay, IFontRasterizer& rasterizer, const std::string& faceName,
                       int pixelSize) {
  display = &targetDisplay;
  size = std::clamp(pixelSize, 2, kAtlasSize);
  cellsPerRow = kAtlasSize / size;
  atlas.CreateBlank(kAtlasSize, kAtlasSize);
  cells.assign(static_cast<size_t>(cellsPerRow) * cellsPerRow, SCell{});
  coverage.assign(static_cast<size_t>(size) * 4 * size * 4, 0);
  glyph.assign(static_cast<size_t>(size) * size, 0);
  renderCount = 0;
  ResetUsage();
  face = rasterizer.OpenFace(faceName, size * 4);
  return face != nullptr;
}

void CTextFont::ResetUsage() {
  const int count = static_cast<int>(cells.size());
  for (int i = 0; i < count; ++i) {
    cells[i].code = kNone;
    cells[i].previous = static_cast<uint16_t>(i == 0 ? kNone : i - 1);
    cells[i].next = static_cast<uint16_t>(i == count - 1 ? kNone : i + 1);
  }
  head = 0;
  tail = static_cast<uint16_t>(count - 1);
  characterMap.clear();
}

void CTextFont::Unlink(uint16_t cell) {
  SCell& c = cells[cell];
  if (c.previous != kNone)
    cells[c.previous].next = c.next;
  else
    head = c.next;
  if (c.next != kNone)
    cells[c.next].previous = c.previous;
  else
    tail = c.previous;
  c.previous = c.next = kNone;
}

void CTextFont::PushFront(uint16_t cell) {
  cells[cell].next = head;
  cells[cell].previous = kNone;
  if (head != kNone) cells[head].previous = cell;
  head = cell;
  if (tail == kNone) tail = cell;
}

int CTextFont::GetCell(uint16_t code) {
  if (cells.empty()) return 0;
  uint16_t cell = 0;
  const auto found = characterMap.find(code);
  if (found != characterMap.end()) {
    cell = found->second;
  } else {
    cell = tail;
    if (cells[cell].code != kNone) characterMap.erase(cells[cell].code);
    cells[cell].code = code;
    characterMap[code] = cell;
    RenderGlyph(code, cell);
  }
  if (cell != head) {
    Unlink(cell);
    PushFront(cell);
  }
  return cell;
}

// Renders at four times the size and averages each 4 x 4 block into one pixel's alpha.
void CTextFont::RenderGlyph(uint16_t code, int cell) {
  const int big = size * 4;
  if (face) face->Render(code, coverage.data(), big, big);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      int sum = 0;
      for (int dy = 0; dy < 4; ++dy) {
        const uint8_t* row = coverage.data() + static_cast<size_t>(y * 4 + dy) * big + x * 4;
        sum += row[0] + row[1] + row[2] + row[3];
      }
      glyph[static_cast<size_t>(y) * size + x] = static_cast<uint32_t>(sum >> 4) << 24 | 0xFFFFFFu;
    }
  }
  atlas.PutPixels((cell % cellsPerRow) * size, (cell / cellsPerRow) * size, size, size, glyph.data());
  FindInk(cells[cell]);
  ++renderCount;
}

void CTextFont::FindInk(SCell& cell) const {
  int top = size, bottom = 0;
  for (int y = 0; y < size; ++y) {
    const uint32_t* row = glyph.data() + static_cast<size_t>(y) * size;
    if (std::none_of(row, row + size, [](uint32_t pixel) { return (pixel >> 24) != 0; })) continue;
    top = std::min(top, y);
    bottom = y + 1;
  }
  cell.inkTop = static_cast<uint16_t>(bottom == 0 ? 0 : top);
  cell.inkBottom = static_cast<uint16_t>(bottom);
}

uint16_t CTextFont::NextCharacter(std::string_view text, size_t pos, size_t& length) {
  const auto first = static_cast<unsigned char>(text[pos]);
  if (sjis::IsLeadByte(first) && pos + 1 < text.size() && text[pos + 1] != 0) {
    length = 2;
    return static_cast<uint16_t>(first | static_cast<unsigned char>(text[pos + 1]) << 8);
  }
  length = 1;
  return first;
}

int CTextFont::TextWidth(std::string_view text) const {
  int width = 0;
  for (size_t pos = 0, length = 0; pos < text.size(); pos += length) {
    NextCharacter(text, pos, length);
    width += length == 2 ? size : size / 2;
  }
  return width;
}

void CTextFont::MeasureText(std::string_view text, int& width, int& height) const {
  width = TextWidth(text);
  height = size;
}

void CTextFont::DrawText(int x, int y, std::string_view text, uint32_t colour) {
  if (!display || cells.empty()) return;
  if (!(gPassMask & kSkipEffectPass) && gEffect != kEffectNone)
    DrawPass(x, y, text, (colour & 0xFF000000u) | (gEffectColour & 0xFFFFFFu), true);
  if (!(gPassMask & kSkipTextPass)) DrawPass(x, y, text, colour, false);
}

void CTextFont::DrawPass(int x, int y, std::string_view text, uint32_t colour, bool effectPass) {
  int pen = x;
  for (size_t pos = 0, length = 0; pos < text.size(); pos += length) {
    const int cell = GetCell(NextCharacter(text, pos, length));
    if (!effectPass) {
      // The edge surrounds the text by one pixel on every side, so the text sits one pixel in.
      const int inset = gEffect == kEffectEdge ? 1 : 0;
      DrawCell(cell, pen + inset, y + inset, colour);
    } else if (gEffect == kEffectShadow) {
      DrawCell(cell, pen + 1, y, colour);
      DrawCell(cell, pen, y + 1, colour);
      DrawCell(cell, pen + 1, y + 1, colour);
    } else {
      DrawCell(cell, pen + 2, y + 2, colour);
      DrawCell(cell, pen, y + 2, colour);
      DrawCell(cell, pen + 2, y, colour);
      DrawCell(cell, pen, y, colour);
    }
    pen += length == 2 ? size : size / 2;
  }
}

void CTextFont::DrawCell(int cell, int x, int y, uint32_t colour) {
  const SCell& c = cells[cell];
  if (c.inkBottom <= c.inkTop) return;
  // Whole rows keep the blend loops on full vector widths; empty rows are left out.
  const int sx = (cell % cellsPerRow) * size;
  const int sy = (cell / cellsPerRow) * size + c.inkTop;
  atlas.Blit(SDrawTarget::Screen(*display), x, y + c.inkTop, size, c.inkBottom - c.inkTop, sx, sy, colour);
}

void CTextFont::SetEffect(EEffect effect, uint32_t colour) {
  gEffect = effect;
  gEffectColour = colour;
}

void CTextFont::LoadEffectSettings() {
  const settings::ETextEffect effect = settings::TextEffect();
  SetEffect(effect == settings::ETextEffect::kEdge     ? kEffectEdge
            : effect == settings::ETextEffect::kShadow ? kEffectShadow
                                                       : kEffectNone,
            settings::EffectColor());
}

CTextFont::EEffect CTextFont::Effect() { return gEffect; }
void CTextFont::SetPassMask(int mask) { gPassMask = mask; }
int CTextFont::PassMask() { return gPassMask; }

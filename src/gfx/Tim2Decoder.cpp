#include "gfx/Tim2Decoder.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "gfx/Surface.h"

namespace {

constexpr size_t kFileHeaderSize = 16;
constexpr size_t kPictureHeaderSize = 48;
constexpr size_t kPixelDataOffset = kFileHeaderSize + kPictureHeaderSize;

enum EImageType { k16Bit = 1, k24Bit = 2, k32Bit = 3, k4BitIndexed = 4, k8BitIndexed = 5 };

uint32_t Read16(const uint8_t* p) { return uint32_t{p[0]} | uint32_t{p[1]} << 8; }
uint32_t Read32(const uint8_t* p) { return Read16(p) | Read16(p + 2) << 16; }

struct SPictureHeader {
  uint32_t clutSize;
  uint32_t imageSize;
  uint32_t clutColors;
  uint32_t clutType;
  uint32_t imageType;
  int width;
  int height;
};

SPictureHeader ReadHeader(const uint8_t* p) {
  SPictureHeader h;
  h.clutSize = Read32(p + 4);
  h.imageSize = Read32(p + 8);
  h.clutColors = Read16(p + 14);
  h.clutType = p[18];
  h.imageType = p[19];
  h.width = static_cast<int>(Read16(p + 20));
  h.height = static_cast<int>(Read16(p + 22));
  return h;
}

// Bytes of pixel data the picture needs; 4-bit pixels are packed two to a byte across row ends.
uint64_t PixelBytes(const SPictureHeader& h) {
  const uint64_t count = uint64_t(h.width) * uint64_t(h.height);
  switch (h.imageType) {
    case k16Bit:
      return count * 2;
    case k24Bit:
      return count * 3;
    case k32Bit:
      return count * 4;
    case k4BitIndexed:
      return (count + 1) / 2;
    default:
      return count;
  }
}

// A TIM2 colour R, G, B, A (alpha 0-128) as a surface pixel; alpha beyond 128 saturates.
uint32_t FromRgba(uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
  return b | g << 8 | r << 16 | std::min<uint32_t>((a * 255) >> 7, 255) << 24;
}

// A 16-bit colour: 5 bits each of red, green and blue, bit 15 the transparency flag.
uint32_t FromColor16(uint32_t c) {
  const uint32_t a = (c & 0x8000) ? 0 : 128;
  return FromRgba((c & 31) * 8, ((c >> 5) & 31) * 8, ((c >> 10) & 31) * 8, a);
}

uint32_t ClutEntry(const uint8_t* p, uint32_t format) {
  switch (format) {
    case 1:
      return FromColor16(Read16(p));
    case 2:
      return FromRgba(p[0], p[1], p[2], 128);
    default:
      return FromRgba(p[0], p[1], p[2], p[3]);
  }
}

// The colour table as surface pixels, 256 entries; entries the file does not hold stay transparent.
// 256-colour tables not marked linear are stored in blocks whose bits 3 and 4 are exchanged.
bool ReadClut(const SPictureHeader& h, const uint8_t* clut, std::vector<uint32_t>& table) {
  const uint32_t format = h.clutType & 0x1F;
  if (format < 1 || format > 3) return false;
  const uint32_t entrySize = format + 1;
  const uint32_t count = std::min<uint32_t>(h.clutColors, h.clutSize / entrySize);
  const bool blockOrder = (h.clutType & 0xC0) != 0x80 && h.imageType == k8BitIndexed;
  table.assign(256, 0);
  for (uint32_t i = 0; i < std::min<uint32_t>(h.clutColors, 256); ++i) {
    const uint32_t stored = blockOrder ? (i & ~0x18u) | (i & 0x08) << 1 | (i & 0x10) >> 1 : i;
    if (stored < count) table[i] = ClutEntry(clut + stored * entrySize, format);
  }
  return true;
}

uint32_t DirectPixel(const SPictureHeader& h, const uint8_t* pixels, size_t i) {
  switch (h.imageType) {
    case k16Bit: {
      const uint32_t e = Read16(pixels + i * 2);
      return (e & 0x8000) ? 0 : FromColor16(e);
    }
    case k24Bit: {
      const uint8_t* p = pixels + i * 3;
      return uint32_t{p[2]} | uint32_t{p[1]} << 8 | uint32_t{p[0]} << 16 | 0xFF000000u;
    }
    default: {
      const uint8_t* p = pixels + i * 4;
      return FromRgba(p[0], p[1], p[2], p[3]);
    }
  }
}

uint32_t IndexedPixel(const SPictureHeader& h, const uint8_t* pixels, size_t i,
                      const std::vector<uint32_t>& table) {
  if (h.imageType == k8BitIndexed) return table[pixels[i]];
  const uint8_t packed = pixels[i / 2];
  return table[(i & 1) ? packed >> 4 : packed & 15];
}

}  // namespace

bool DecodeTim2(const uint8_t* data, size_t size, CSurface& surface) {
  surface.Clear();
  if (size < kPixelDataOffset || std::memcmp(data, "TIM2", 4) != 0) return false;
  const SPictureHeader h = ReadHeader(data + kFileHeaderSize);
  if (h.imageType < k16Bit || h.imageType > k8BitIndexed || h.width == 0 || h.height == 0) return false;
  if (PixelBytes(h) > h.imageSize) return false;
  if (kPixelDataOffset + PixelBytes(h) > size) return false;
  // Direct-colour pictures need no colour table; indexed ones need all of the one they declare.
  const bool indexed = h.imageType >= k4BitIndexed;
  const uint64_t clutOffset = kPixelDataOffset + uint64_t{h.imageSize} + ((16 - h.imageSize % 16) % 16);
  if (indexed && clutOffset + h.clutSize > size) return false;
  std::vector<uint32_t> table;
  if (indexed && !ReadClut(h, data + clutOffset, table)) return false;
  uint32_t* out = surface.Allocate(h.width, h.height);
  if (!out) return false;
  const uint8_t* pixels = data + kPixelDataOffset;
  const size_t count = size_t(h.width) * size_t(h.height);
  for (size_t i = 0; i < count; ++i) {
    out[i] = indexed ? IndexedPixel(h, pixels, i, table) : DirectPixel(h, pixels, i);
  }
  return true;
}

#include "gfx/BmpDecoder.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "gfx/Surface.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kOpaque = 0xFF000000u;

enum ECompression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

uint32_t Read16(const uint8_t* p) { return uint32_t{p[0]} | uint32_t{p[1]} << 8; }
uint32_t Read32(const uint8_t* p) { return Read16(p) | Read16(p + 2) << 16; }

// One channel mask of a BI_BITFIELDS image: where the channel sits and how wide it is.
struct SChannelMask {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;

  explicit SChannelMask(uint32_t m = 0) : mask(m) {
    if (!m) return;
    while (!((m >> shift) & 1)) ++shift;
    max = m >> shift;
  }
  uint32_t Extract(uint32_t pixel) const {
    return max ? static_cast<uint32_t>((uint64_t{(pixel & mask) >> shift} * 255 + max / 2) / max) : 0;
  }
};

struct SBmpInfo {
  int width = 0;
  int height = 0;  // rows, always positive
  bool topDown = false;
  uint32_t bitCount = 0;
  uint32_t compression = kRgb;
  SChannelMask red, green, blue;
  std::vector<uint32_t> palette;  // opaque surface pixels
  size_t pixelOffset = 0;
};

bool ReadPalette(const uint8_t* data, size_t size, size_t offset, uint32_t count, uint32_t entrySize,
                 SBmpInfo& info) {
  if (offset + uint64_t{count} * entrySize > size) return false;
  info.palette.resize(count);
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* p = data + offset + size_t{i} * entrySize;
    info.palette[i] = uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | kOpaque;
  }
  return true;
}

bool ReadCoreHeader(const uint8_t* data, size_t size, SBmpInfo& info) {
  const uint8_t* h = data + kFileHeaderSize;
  info.width = static_cast<int>(Read16(h + 4));
  info.height = static_cast<int>(Read16(h + 6));
  info.bitCount = Read16(h + 10);
  const uint32_t colors = info.bitCount <= 8 ? 1u << info.bitCount : 0;
  return ReadPalette(data, size, kFileHeaderSize + kCoreHeaderSize, colors, 3, info);
}

bool ReadInfoHeader(const uint8_t* data, size_t size, uint32_t headerSize, SBmpInfo& info) {
  const uint8_t* h = data + kFileHeaderSize;
  const int32_t height = static_cast<int32_t>(Read32(h + 8));
  if (height == INT32_MIN) return false;
  info.width = static_cast<int32_t>(Read32(h + 4));
  info.topDown = height < 0;
  info.height = height < 0 ? -height : height;
  info.bitCount = Read16(h + 14);
  info.compression = Read32(h + 16);
  size_t after = kFileHeaderSize + headerSize;
  if (info.compression == kBitFields || info.compression == kAlphaBitFields) {
    // The plain 40-byte header is followed by the masks; later headers hold them at the same place.
    const size_t masks = kFileHeaderSize + kInfoHeaderSize;
    if (masks + 12 > size) return false;
    info.red = SChannelMask(Read32(data + masks));
    info.green = SChannelMask(Read32(data + masks + 4));
    info.blue = SChannelMask(Read32(data + masks + 8));
    if (headerSize == kInfoHeaderSize) after += info.compression == kBitFields ? 12 : 16;
  }
  uint32_t colors = Read32(h + 32);
  if (info.bitCount <= 8) {
    const uint32_t full = 1u << info.bitCount;
    colors = colors == 0 || colors > full ? full : colors;
  } else {
    colors = 0;
  }
  return ReadPalette(data, size, after, colors, 4, info);
}

bool ValidFormat(const SBmpInfo& info) {
  if (info.width <= 0 || info.height <= 0) return false;
  switch (info.compression) {
    case kRgb:
      return info.bitCount == 1 || info.bitCount == 4 || info.bitCount == 8 || info.bitCount == 16 ||
             info.bitCount == 24 || info.bitCount == 32;
    case kRle8:
      return info.bitCount == 8 && !info.topDown;
    case kRle4:
      return info.bitCount == 4 && !info.topDown;
    case kBitFields:
    case kAlphaBitFields:
      return info.bitCount == 16 || info.bitCount == 32;
    default:
      return false;
  }
}

bool ReadHeaders(const uint8_t* data, size_t size, SBmpInfo& info) {
  if (size < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M') return false;
  const uint32_t headerSize = Read32(data + kFileHeaderSize);
  if (headerSize != kCoreHeaderSize && headerSize < kInfoHeaderSize) return false;
  if (kFileHeaderSize + uint64_t{headerSize} > size) return false;
  const bool ok = headerSize == kCoreHeaderSize ? ReadCoreHeader(data, size, info)
                                                : ReadInfoHeader(data, size, headerSize, info);
  info.pixelOffset = Read32(data + 10);
  return ok && ValidFormat(info) && info.pixelOffset <= size;
}

uint32_t PaletteColor(const SBmpInfo& info, uint32_t index) {
  return index < info.palette.size() ? info.palette[index] : kOpaque;
}

uint32_t RgbPixel(const SBmpInfo& info, const uint8_t* row, int x) {
  switch (info.bitCount) {
    case 1:
      return PaletteColor(info, (row[x >> 3] >> (7 - (x & 7))) & 1);
    case 4:
      return PaletteColor(info, (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15);
    case 8:
      return PaletteColor(info, row[x]);
    case 24:
      return uint32_t{row[x * 3]} | uint32_t{row[x * 3 + 1]} << 8 | uint32_t{row[x * 3 + 2]} << 16 | kOpaque;
    default: {
      const uint32_t v = info.bitCount == 16 ? Read16(row + x * 2) : Read32(row + x * 4);
      return info.blue.Extract(v) | info.green.Extract(v) << 8 | info.red.Extract(v) << 16 | kOpaque;
    }
  }
}

uint64_t Stride(const SBmpInfo& info) { return ((uint64_t(info.width) * info.bitCount + 31) / 32) * 4; }

void DecodeRows(const uint8_t* data, SBmpInfo& info, uint32_t* out) {
  const size_t stride = Stride(info);
  if (info.compression == kRgb && info.bitCount == 16) {
    info.red = SChannelMask(0x7C00);
    info.green = SChannelMask(0x03E0);
    info.blue = SChannelMask(0x001F);
  } else if (info.compression == kRgb && info.bitCount == 32) {
    info.red = SChannelMask(0x00FF0000);
    info.green = SChannelMask(0x0000FF00);
    info.blue = SChannelMask(0x000000FF);
  }
  for (int y = 0; y < info.height; ++y) {
    const uint8_t* row = data + info.pixelOffset + stride * size_t(y);
    uint32_t* dst = out + size_t(info.topDown ? y : info.height - 1 - y) * size_t(info.width);
    for (int x = 0; x < info.width; ++x) dst[x] = RgbPixel(info, row, x);
  }
}

// Run-length decoding of RLE8 and RLE4 into bottom-up rows. Pixels the stream skips stay black.
// The stream must end with its end-of-bitmap mark or after the last row; running out of data first
// is damage.
class CRleReader {
 public:
  CRleReader(const uint8_t* d, size_t n, const SBmpInfo& i, uint32_t* o)
      : data(d), size(n), info(i), out(o) {}

  bool Decode() {
    size_t at = info.pixelOffset;
    while (y < info.height) {
      if (at + 2 > size) return false;
      const uint32_t count = data[at], value = data[at + 1];
      at += 2;
      if (count > 0) {
        for (uint32_t i = 0; i < count && x < info.width; ++i) Put(RunIndex(value, i));
      } else if (value == 0) {
        x = 0, ++y;
      } else if (value == 1) {
        return true;
      } else if (value == 2) {
        if (at + 2 > size) return false;
        // Pixels right of the row are never drawn, so x stops at the width: millions of escapes
        // must not carry it past the range of int.
        x = std::min(info.width, x + data[at]), y += data[at + 1];
        at += 2;
      } else if (!Absolute(at, value)) {
        return false;
      }
    }
    return true;
  }

 private:
  uint32_t RunIndex(uint32_t value, uint32_t i) const {
    return info.bitCount == 8 ? value : (i & 1) ? value & 15 : value >> 4;
  }

  // An absolute run of count pixels, padded to a 16-bit boundary.
  bool Absolute(size_t& at, uint32_t count) {
    const size_t bytes = info.bitCount == 8 ? count : (count + 1) / 2;
    if (at + bytes > size) return false;
    for (uint32_t i = 0; i < count; ++i) {
      Put(info.bitCount == 8 ? data[at + i] : RunIndex(data[at + i / 2], i));
    }
    at += (bytes + 1) & ~size_t{1};
    return true;
  }

  // Pixels beyond the row's end are dropped and x stays at the width.
  void Put(uint32_t index) {
    if (x >= info.width) return;
    if (y < info.height)
      out[size_t(info.height - 1 - y) * size_t(info.width) + size_t(x)] = PaletteColor(info, index);
    ++x;
  }

  const uint8_t* data;
  size_t size;
  const SBmpInfo& info;
  uint32_t* out;
  int x = 0;
  int y = 0;
};

}  // namespace

bool DecodeBmp(const uint8_t* data, size_t size, CSurface& surface) {
  surface.Clear();
  SBmpInfo info;
  if (!ReadHeaders(data, size, info)) return false;
  const bool rle = info.compression == kRle8 || info.compression == kRle4;
  if (!rle && info.pixelOffset + Stride(info) * uint64_t(info.height) > size) return false;
  uint32_t* out = surface.Allocate(info.width, info.height);
  if (!out) return false;
  if (!rle) {
    DecodeRows(data, info, out);
    return true;
  }
  std::fill(out, out + size_t(info.width) * size_t(info.height), kOpaque);
  if (CRleReader(data, size, info, out).Decode()) return true;
  surface.Clear();
  return false;
}

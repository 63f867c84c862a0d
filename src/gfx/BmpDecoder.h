#pragma once
#include <cstddef>
#include <cstdint>

class CSurface;

// Decodes a Windows bitmap file in memory into the surface, always opaque: 1, 4, 8, 16, 24 and 32 bits
// per pixel, bottom-up and top-down rows, uncompressed (BI_RGB), with channel masks (BI_BITFIELDS) and
// run-length encoded (RLE8, RLE4), with the 12-byte core header and the 40-byte and later headers.
// Leaves the surface empty and returns false when the file is not such a bitmap or is cut short.
bool DecodeBmp(const uint8_t* data, size_t size, CSurface& surface);

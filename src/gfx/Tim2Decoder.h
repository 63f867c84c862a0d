#pragma once
#include <cstddef>
#include <cstdint>

class CSurface;

// Decodes the first picture of a TIM2 texture file in memory into the surface: 16-, 24- and 32-bit
// direct colour and 4- and 8-bit indexed images, colour tables in linear or block order. Alpha 0-128
// of the file becomes 0-255. Leaves the surface empty and returns false for anything that is not a
// complete TIM2 picture of those kinds.
bool DecodeTim2(const uint8_t* data, size_t size, CSurface& surface);

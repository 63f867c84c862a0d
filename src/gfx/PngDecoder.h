#pragma once

class CReadFile;
class CSurface;

// Decodes a PNG file read from its current position into the surface (bytes B, G, R, A). Palette and
// grey images are expanded to RGB, tRNS becomes alpha, images without alpha become opaque and 16-bit
// channels are cut to 8 bits. Any error of the decoder leaves the surface empty and returns false.
bool DecodePng(CReadFile& file, CSurface& surface);

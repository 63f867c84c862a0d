#pragma once
#include <string>

class CSurface;

// Loads an image file through the file layer (archives first, then loose files) by its extension:
// "PNG" is decoded as PNG, "TM2" as TIM2 and every other extension as BMP. The surface is left empty
// and false returned when the file is missing or not a valid image of that kind.
bool LoadImageFile(const std::string& name, CSurface& surface);

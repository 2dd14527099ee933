// Writes a picture as an 8-bit PNG file: RGB, or RGBA when the picture is transparent.
#pragma once

#include <string>

#include "picture/Picture.h"

// Writes through a temporary renamed onto Path when complete. Throws std::runtime_error on
// failure, leaving nothing at Path that was not there before.
void WritePng(const std::string& Path, const cRGBAPicture& Picture, bool bAlpha);

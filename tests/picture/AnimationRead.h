// Reads animated GIF and WebP files back through the libraries' own decoders (DGifSlurp,
// WebPAnimDecoder) into whole RGBA pictures, as a viewer composes them.
#pragma once

#include <string>
#include <vector>

#include "picture/Picture.h"

struct cReadAnimation
{
    std::vector<cRGBAPicture> Pictures;   // composed onto the whole canvas
    std::vector<int> Delays;              // GIF: hundredths; WebP: milliseconds
    // The loop count; -1 when the file names none (a GIF without the loop block).
    int LoopCount = -1;
    // GIF only: each stored picture's rectangle, left, top, width, height.
    std::vector<std::vector<int>> Rects;
};

// False when the file is missing or the decoder refuses it.
bool ReadGif(const std::string& Path, cReadAnimation& Animation);
bool ReadWebP(const std::string& Path, cReadAnimation& Animation);

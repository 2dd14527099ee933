// Pictures as every writer in this folder takes them.
#include "picture/Picture.h"

cRGBAPicture OpaquePicture(int Width, int Height, const std::vector<std::uint8_t>& Rgb)
{
    cRGBAPicture Result{Width, Height, {}};
    Result.Rgba.resize(Result.NumPixels() * 4);
    for (std::size_t i = 0, n = Result.NumPixels(); i < n; ++i)
    {
        if (3 * i + 2 < Rgb.size())
            for (std::size_t c = 0; c < 3; ++c)
                Result.Rgba[4 * i + c] = Rgb[3 * i + c];
        Result.Rgba[4 * i + 3] = 255;
    }
    return Result;
}

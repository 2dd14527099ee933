// The timing both animated formats share, and the choice of writer by format.
#include "picture/Animation.h"

#include <stdexcept>

#include "picture/GifWrite.h"
#include "picture/WebPWrite.h"

int PictureStart(int k, int Fps, int UnitsPerSecond)
{
    if (Fps < 1)
        throw std::logic_error("a frame rate is at least 1");
    return static_cast<int>((2LL * k * UnitsPerSecond + Fps) / (2LL * Fps));
}

std::vector<int> GifDelays(int NumPictures, int Fps)
{
    std::vector<int> Delays;
    for (int k = 0; k < NumPictures; ++k)
        Delays.push_back(PictureStart(k + 1, Fps, 100) - PictureStart(k, Fps, 100));
    return Delays;
}

std::unique_ptr<cAnimationWriter> OpenAnimation(eAnimationFormat Format, const std::string& Path,
                                                int Width, int Height,
                                                const cAnimationSettings& Settings)
{
    if (Width < 1 || Height < 1 || Width > 16383 || Height > 16383)
        throw std::runtime_error("cannot write " + Path + ": an animation is 1 to 16383 pixels a side");
    if (Format == eAnimationFormat::Gif)
        return std::make_unique<cGifWriter>(Path, Width, Height, Settings);
    return std::make_unique<cWebPWriter>(Path, Width, Height, Settings);
}

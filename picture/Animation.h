// Animated picture files: GIF (giflib) and WebP (libwebp's animation encoder). Pictures are
// added in order, each shown for 1/fps s; the file appears, complete, only when Finish
// returns true. A writer destroyed before that leaves nothing behind.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "picture/Picture.h"

enum class eAnimationFormat
{
    Gif,
    WebP,
};

struct cAnimationSettings
{
    int Fps = 20;
    // Alpha 0 pixels become the GIF's transparent index or the WebP's alpha; otherwise every
    // pixel is taken as opaque.
    bool bTransparent = false;
    // GIF: Floyd-Steinberg dithering onto the palette (nearest colour otherwise).
    bool bDither = false;
    // WebP: 0..100 for lossy; negative for lossless (every pixel exact).
    int Quality = -1;
};

class cAnimationWriter
{
public:
    virtual ~cAnimationWriter() = default;
    // Adds the next picture (Width x Height as opened). Throws std::runtime_error.
    virtual void Add(const cRGBAPicture& Picture) = 0;
    // Encodes what is left and renames the file into place. False, with nothing written,
    // when Progress (which may be empty) cancels; throws std::runtime_error on failure.
    virtual bool Finish(const tWriteProgress& Progress) = 0;
};

// Opens the temporary beside Path at once, so a folder that cannot take the file fails
// before any picture is drawn. Throws std::runtime_error.
std::unique_ptr<cAnimationWriter> OpenAnimation(eAnimationFormat Format, const std::string& Path,
                                                int Width, int Height,
                                                const cAnimationSettings& Settings);

// Each picture's GIF delay in hundredths of a second: the rounding is carried from picture
// to picture, so the delays add up to NumPictures / Fps rounded once.
std::vector<int> GifDelays(int NumPictures, int Fps);
// When picture k starts, in UnitsPerSecond (k = the count: when the last one ends), rounded
// to the nearest unit. WebP counts milliseconds.
int PictureStart(int k, int Fps, int UnitsPerSecond);

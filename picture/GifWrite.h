// Animated GIF through giflib: one palette for every picture, each picture after the first
// stored as the rectangle that changed, delays in hundredths adding up to the whole length.
#pragma once

#include <string>
#include <vector>

#include "picture/Animation.h"
#include "picture/Palette.h"
#include "picture/TempFile.h"

class cGifWriter : public cAnimationWriter
{
public:
    cGifWriter(const std::string& Path, int Width, int Height, const cAnimationSettings& Settings);
    // The palette needs every picture's colours, so pictures are kept until Finish.
    void Add(const cRGBAPicture& Picture) override;
    bool Finish(const tWriteProgress& Progress) override;

private:
    cTempFile mFile;
    int mWidth, mHeight;
    cAnimationSettings mSettings;
    cColourCounter mColours;
    std::vector<cRGBAPicture> mPictures;
};

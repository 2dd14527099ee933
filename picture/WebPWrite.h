// Animated WebP through libwebp's animation encoder: lossless unless a quality is given; the
// encoder itself stores each picture as the part that changed.
#pragma once

#include <string>

#include "picture/Animation.h"
#include "picture/TempFile.h"

struct WebPAnimEncoder;

class cWebPWriter : public cAnimationWriter
{
public:
    cWebPWriter(const std::string& Path, int Width, int Height, const cAnimationSettings& Settings);
    ~cWebPWriter() override;
    // Encodes the picture at once; nothing is kept but the encoder's own state.
    void Add(const cRGBAPicture& Picture) override;
    bool Finish(const tWriteProgress& Progress) override;

private:
    cTempFile mFile;
    int mWidth, mHeight;
    cAnimationSettings mSettings;
    WebPAnimEncoder* mpEncoder = nullptr;
    int mNumPictures = 0;
};

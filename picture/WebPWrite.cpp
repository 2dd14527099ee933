// Animated WebP output through libwebp's animation encoder and mux.
#include "picture/WebPWrite.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <stdexcept>

namespace
{
// The encoder's settings: lossless at the encoder's default effort, or lossy at Quality.
WebPConfig Config(const cAnimationSettings& Settings)
{
    WebPConfig Result;
    if (!WebPConfigInit(&Result))
        throw std::runtime_error("the WebP library does not match its headers");
    if (Settings.Quality < 0)
        Result.lossless = 1;
    else
        Result.quality = static_cast<float>(Settings.Quality);
    return Result;
}
}  // namespace

cWebPWriter::cWebPWriter(const std::string& Path, int Width, int Height,
                         const cAnimationSettings& Settings)
    : mFile(Path), mWidth(Width), mHeight(Height), mSettings(Settings)
{
    WebPAnimEncoderOptions Options;
    if (!WebPAnimEncoderOptionsInit(&Options))
        throw std::runtime_error("the WebP library does not match its headers");
    Options.anim_params.loop_count = 0;   // for ever
    // Shown where nothing is drawn yet: transparent for a transparent animation.
    Options.anim_params.bgcolor = Settings.bTransparent ? 0x00000000u : 0xff000000u;
    mpEncoder = WebPAnimEncoderNew(Width, Height, &Options);
    if (!mpEncoder)
        throw std::runtime_error("out of memory writing " + Path);
}

cWebPWriter::~cWebPWriter()
{
    WebPAnimEncoderDelete(mpEncoder);
}

void cWebPWriter::Add(const cRGBAPicture& Picture)
{
    if (Picture.Width != mWidth || Picture.Height != mHeight ||
        Picture.Rgba.size() != Picture.NumPixels() * 4)
        throw std::runtime_error("cannot write " + mFile.Target() + ": the pictures differ in size");
    const WebPConfig Settings = Config(mSettings);
    WebPPicture Frame;
    if (!WebPPictureInit(&Frame))
        throw std::runtime_error("the WebP library does not match its headers");
    Frame.use_argb = 1;
    Frame.width = mWidth;
    Frame.height = mHeight;
    bool bDone = false;
    if (mSettings.bTransparent)
        bDone = WebPPictureImportRGBA(&Frame, Picture.Rgba.data(), mWidth * 4);
    else
        bDone = WebPPictureImportRGBX(&Frame, Picture.Rgba.data(), mWidth * 4);
    bDone = bDone && WebPAnimEncoderAdd(mpEncoder, &Frame, PictureStart(mNumPictures, mSettings.Fps, 1000), &Settings);
    WebPPictureFree(&Frame);
    if (!bDone)
    {
        const char* pszReason = WebPAnimEncoderGetError(mpEncoder);
        throw std::runtime_error("cannot write " + mFile.Target() + ": " +
                                 (pszReason && *pszReason ? pszReason : "out of memory"));
    }
    ++mNumPictures;
}

bool cWebPWriter::Finish(const tWriteProgress& Progress)
{
    if (mNumPictures == 0)
        throw std::logic_error("an animation needs a picture");
    // The pictures were encoded as they came; only the assembly is left, which is short.
    if (Progress && !Progress(0, 1))
        return false;
    WebPData Data;
    WebPDataInit(&Data);
    if (!WebPAnimEncoderAdd(mpEncoder, nullptr, PictureStart(mNumPictures, mSettings.Fps, 1000), nullptr) ||
        !WebPAnimEncoderAssemble(mpEncoder, &Data))
    {
        WebPDataClear(&Data);
        const char* pszReason = WebPAnimEncoderGetError(mpEncoder);
        throw std::runtime_error("cannot write " + mFile.Target() + ": " +
                                 (pszReason && *pszReason ? pszReason : "out of memory"));
    }
    try
    {
        mFile.Write(Data.bytes, Data.size);
    }
    catch (...)
    {
        WebPDataClear(&Data);
        throw;
    }
    WebPDataClear(&Data);
    mFile.Commit();
    return true;
}

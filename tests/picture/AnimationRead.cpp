// GIF and WebP read back with giflib and libwebp's demuxing decoder, composed picture by
// picture.
#include "tests/picture/AnimationRead.h"

#include <gif_lib.h>
#include <webp/demux.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace
{
// The loop count from the NETSCAPE2.0 block and the sub-block after it.
int LoopCount(const SavedImage& Image)
{
    for (int i = 0; i + 1 < Image.ExtensionBlockCount; ++i)
    {
        const ExtensionBlock& Block = Image.ExtensionBlocks[i];
        const ExtensionBlock& Next = Image.ExtensionBlocks[i + 1];
        if (Block.Function == APPLICATION_EXT_FUNC_CODE && Block.ByteCount == 11 &&
            std::memcmp(Block.Bytes, "NETSCAPE2.0", 11) == 0 && Next.ByteCount == 3 && Next.Bytes[0] == 1)
            return Next.Bytes[1] | Next.Bytes[2] << 8;
    }
    return -1;
}
}  // namespace

bool ReadGif(const std::string& Path, cReadAnimation& Animation)
{
    int Error = 0;
    GifFileType* pGif = DGifOpenFileName(Path.c_str(), &Error);
    if (!pGif)
        return false;
    if (DGifSlurp(pGif) != GIF_OK || pGif->ImageCount < 1)
    {
        DGifCloseFile(pGif, &Error);
        return false;
    }
    Animation = {};
    Animation.LoopCount = LoopCount(pGif->SavedImages[0]);
    cRGBAPicture Canvas{pGif->SWidth, pGif->SHeight, {}};
    Canvas.Rgba.assign(Canvas.NumPixels() * 4, 0);
    bool bGood = true;
    for (int k = 0; k < pGif->ImageCount && bGood; ++k)
    {
        const SavedImage& Image = pGif->SavedImages[k];
        const GifImageDesc& Desc = Image.ImageDesc;
        GraphicsControlBlock Control{};
        Control.TransparentColor = NO_TRANSPARENT_COLOR;
        DGifSavedExtensionToGCB(pGif, k, &Control);
        const ColorMapObject* pMap = Desc.ColorMap ? Desc.ColorMap : pGif->SColorMap;
        bGood = pMap && Desc.Left >= 0 && Desc.Top >= 0 && Desc.Left + Desc.Width <= Canvas.Width &&
                Desc.Top + Desc.Height <= Canvas.Height;
        for (int Y = 0; bGood && Y < Desc.Height; ++Y)
            for (int X = 0; X < Desc.Width; ++X)
            {
                const int Index = Image.RasterBits[Y * Desc.Width + X];
                if (Index == Control.TransparentColor)
                    continue;
                if (Index >= pMap->ColorCount)
                    bGood = false;
                else
                {
                    std::uint8_t* p = &Canvas.Rgba[(static_cast<std::size_t>(Desc.Top + Y) * Canvas.Width +
                                                    static_cast<std::size_t>(Desc.Left + X)) * 4];
                    const GifColorType& C = pMap->Colors[Index];
                    p[0] = C.Red, p[1] = C.Green, p[2] = C.Blue, p[3] = 255;
                }
            }
        Animation.Pictures.push_back(Canvas);
        Animation.Delays.push_back(Control.DelayTime);
        Animation.Rects.push_back({Desc.Left, Desc.Top, Desc.Width, Desc.Height});
        if (Control.DisposalMode == DISPOSE_BACKGROUND)
            for (int Y = Desc.Top; Y < Desc.Top + Desc.Height; ++Y)
                std::memset(&Canvas.Rgba[(static_cast<std::size_t>(Y) * Canvas.Width + Desc.Left) * 4], 0,
                            static_cast<std::size_t>(Desc.Width) * 4);
    }
    DGifCloseFile(pGif, &Error);
    return bGood;
}

bool ReadWebP(const std::string& Path, cReadAnimation& Animation)
{
    std::ifstream In(Path, std::ios::binary);
    const std::vector<std::uint8_t> Bytes((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
    if (Bytes.empty())
        return false;
    WebPAnimDecoderOptions Options;
    if (!WebPAnimDecoderOptionsInit(&Options))
        return false;
    Options.color_mode = MODE_RGBA;
    const WebPData Data{Bytes.data(), Bytes.size()};
    WebPAnimDecoder* pDecoder = WebPAnimDecoderNew(&Data, &Options);
    WebPAnimInfo Info;
    if (!pDecoder || !WebPAnimDecoderGetInfo(pDecoder, &Info))
    {
        WebPAnimDecoderDelete(pDecoder);
        return false;
    }
    Animation = {};
    Animation.LoopCount = static_cast<int>(Info.loop_count);
    int Previous = 0;
    bool bGood = true;
    while (bGood && WebPAnimDecoderHasMoreFrames(pDecoder))
    {
        std::uint8_t* pPixels = nullptr;
        int End = 0;   // the time this picture stops showing
        bGood = WebPAnimDecoderGetNext(pDecoder, &pPixels, &End) != 0;
        if (!bGood)
            break;
        cRGBAPicture Picture{static_cast<int>(Info.canvas_width), static_cast<int>(Info.canvas_height), {}};
        Picture.Rgba.assign(pPixels, pPixels + Picture.NumPixels() * 4);
        Animation.Pictures.push_back(std::move(Picture));
        Animation.Delays.push_back(End - Previous);
        Previous = End;
    }
    WebPAnimDecoderDelete(pDecoder);
    return bGood && !Animation.Pictures.empty();
}

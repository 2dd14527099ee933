// Animated GIF output through giflib's streaming encoder.
//
// Opaque animations: the first picture is whole; each later one is the bounding rectangle of
// the pixels whose palette index changed, drawn over what is shown (disposal "leave").
// Transparent animations: each picture is the bounding rectangle of its covered pixels and is
// cleared to the transparent background after its delay (disposal "restore"), so a pixel the
// model leaves becomes transparent again.
#include "picture/GifWrite.h"

#include <gif_lib.h>

#include <algorithm>
#include <stdexcept>

namespace
{
struct tRect
{
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

// The bounding rectangle of the pixels where Select(i) holds; 1 x 1 at the corner if none
// (a GIF picture is never empty).
template <typename tSelect>
tRect Bounds(int Width, int Height, tSelect Select)
{
    int Left = Width, Right = -1, Top = Height, Bottom = -1;
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X)
            if (Select(static_cast<std::size_t>(Y) * static_cast<std::size_t>(Width) +
                       static_cast<std::size_t>(X)))
            {
                Left = std::min(Left, X), Right = std::max(Right, X);
                Top = std::min(Top, Y), Bottom = std::max(Bottom, Y);
            }
    if (Right < 0)
        return {0, 0, 1, 1};
    return {Left, Top, Right - Left + 1, Bottom - Top + 1};
}

int WriteToFile(GifFileType* pGif, const GifByteType* pData, int Length)
{
    std::FILE* pFile = static_cast<std::FILE*>(pGif->UserData);
    return static_cast<int>(std::fwrite(pData, 1, static_cast<std::size_t>(Length), pFile));
}

// Owns the encoder; closing it writes the trailer.
class cGifEncoder
{
public:
    cGifEncoder(std::FILE* pFile, const std::string& Path) : mPath(Path)
    {
        int Error = 0;
        mpGif = EGifOpen(pFile, WriteToFile, &Error);
        if (!mpGif)
            Fail(Error);
        EGifSetGifVersion(mpGif, true);
    }
    ~cGifEncoder()
    {
        if (mpGif)
            EGifCloseFile(mpGif, nullptr);
    }
    GifFileType* operator->() const { return mpGif; }
    GifFileType* Get() const { return mpGif; }
    void Check(int Result) const
    {
        if (Result == GIF_ERROR)
            Fail(mpGif->Error);
    }
    void Close()
    {
        int Error = 0;
        GifFileType* pGif = mpGif;
        mpGif = nullptr;
        if (EGifCloseFile(pGif, &Error) == GIF_ERROR)
            Fail(Error);
    }

private:
    [[noreturn]] void Fail(int Error) const
    {
        const char* pszReason = GifErrorString(Error);
        throw std::runtime_error("cannot write " + mPath + ": " + (pszReason ? pszReason : "GIF error"));
    }
    std::string mPath;
    GifFileType* mpGif = nullptr;
};

void PutLoopForever(const cGifEncoder& Gif)
{
    static const GifByteType NETSCAPE[] = "NETSCAPE2.0";
    const GifByteType Repeat[3] = {1, 0, 0};   // sub-block 1: loop count 0, for ever
    Gif.Check(EGifPutExtensionLeader(Gif.Get(), APPLICATION_EXT_FUNC_CODE));
    Gif.Check(EGifPutExtensionBlock(Gif.Get(), 11, NETSCAPE));
    Gif.Check(EGifPutExtensionBlock(Gif.Get(), 3, Repeat));
    Gif.Check(EGifPutExtensionTrailer(Gif.Get()));
}
}  // namespace

cGifWriter::cGifWriter(const std::string& Path, int Width, int Height,
                       const cAnimationSettings& Settings)
    : mFile(Path), mWidth(Width), mHeight(Height), mSettings(Settings)
{
}

void cGifWriter::Add(const cRGBAPicture& Picture)
{
    if (Picture.Width != mWidth || Picture.Height != mHeight ||
        Picture.Rgba.size() != Picture.NumPixels() * 4)
        throw std::runtime_error("cannot write " + mFile.Target() + ": the pictures differ in size");
    mColours.Add(Picture);
    mPictures.push_back(Picture);
    if (!mSettings.bTransparent)
        for (std::size_t i = 3; i < mPictures.back().Rgba.size(); i += 4)
            mPictures.back().Rgba[i] = 255;
}

bool cGifWriter::Finish(const tWriteProgress& Progress)
{
    const int NumPictures = static_cast<int>(mPictures.size());
    if (NumPictures == 0)
        throw std::logic_error("an animation needs a picture");
    if (Progress && !Progress(0, NumPictures))
        return false;
    // The transparent index follows the colours, so it takes a place of its own.
    const bool bTransparent = mSettings.bTransparent;
    std::vector<tPaletteColour> Colours = mColours.ChoosePalette(bTransparent ? 255 : 256);
    const int TransparentIndex = bTransparent ? static_cast<int>(Colours.size()) : NO_TRANSPARENT_COLOR;
    cPaletteMapper Mapper(Colours, bTransparent ? TransparentIndex : -1);

    int TableSize = 2;
    while (TableSize < static_cast<int>(Colours.size()) + (bTransparent ? 1 : 0))
        TableSize *= 2;
    std::vector<GifColorType> Table(static_cast<std::size_t>(TableSize), GifColorType{0, 0, 0});
    for (std::size_t Entry = 0; Entry < Colours.size(); ++Entry)
        Table[Entry] = {Colours[Entry].R, Colours[Entry].G, Colours[Entry].B};

    cGifEncoder Gif(mFile.File(), mFile.Target());
    ColorMapObject* pMap = GifMakeMapObject(TableSize, Table.data());
    if (!pMap)
        throw std::runtime_error("out of memory writing " + mFile.Target());
    const int Result = EGifPutScreenDesc(Gif.Get(), mWidth, mHeight, 8,
                                         bTransparent ? TransparentIndex : 0, pMap);
    GifFreeMapObject(pMap);
    Gif.Check(Result);
    if (NumPictures > 1)
        PutLoopForever(Gif);

    const std::vector<int> Delays = GifDelays(NumPictures, mSettings.Fps);
    std::vector<std::uint8_t> Previous, Row;
    for (int k = 0; k < NumPictures; ++k)
    {
        std::vector<std::uint8_t> Indices = Mapper.Map(mPictures[static_cast<std::size_t>(k)], mSettings.bDither);
        mPictures[static_cast<std::size_t>(k)] = {};   // mapped: its memory goes back now
        tRect Rect{0, 0, mWidth, mHeight};
        if (bTransparent && k > 0)
            Rect = Bounds(mWidth, mHeight, [&](std::size_t i) { return Indices[i] != TransparentIndex; });
        else if (k > 0)
            Rect = Bounds(mWidth, mHeight, [&](std::size_t i) { return Indices[i] != Previous[i]; });

        GraphicsControlBlock Control{};
        Control.DisposalMode = bTransparent ? DISPOSE_BACKGROUND : DISPOSE_DO_NOT;
        Control.DelayTime = Delays[static_cast<std::size_t>(k)];
        Control.TransparentColor = TransparentIndex;
        GifByteType Extension[4];
        const std::size_t Length = EGifGCBToExtension(&Control, Extension);
        Gif.Check(EGifPutExtension(Gif.Get(), GRAPHICS_EXT_FUNC_CODE, static_cast<int>(Length), Extension));
        Gif.Check(EGifPutImageDesc(Gif.Get(), Rect.Left, Rect.Top, Rect.Width, Rect.Height, false, nullptr));
        // giflib masks the line in place, so it gets a copy.
        for (int Y = Rect.Top; Y < Rect.Top + Rect.Height; ++Y)
        {
            const auto Begin = Indices.begin() + static_cast<std::ptrdiff_t>(Y) * mWidth + Rect.Left;
            Row.assign(Begin, Begin + Rect.Width);
            Gif.Check(EGifPutLine(Gif.Get(), Row.data(), Rect.Width));
        }
        Previous.swap(Indices);
        if (Progress && !Progress(k + 1, NumPictures))
            return false;
    }
    Gif.Close();
    mFile.Commit();
    return true;
}

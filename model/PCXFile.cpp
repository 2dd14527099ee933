// cPCXFile: PCX header and palette checks, run-length decoding, row order and resampling.
#include "model/PCXFile.h"

#include <cstdint>

#include "model/ContentPath.h"
#include "model/LoadError.h"

namespace
{

constexpr std::size_t HEADER_BYTES = 128;
constexpr std::size_t PALETTE_BYTES = 769;  // the marker byte, then 256 RGB entries
constexpr std::uint8_t PCX_VERSION = 5;
constexpr std::uint8_t PALETTE_MARKER = 12;
constexpr int MAX_RUN = 63;

const char MSG_FILE_NOT_FOUND[] = "cPCXFile::cPCXFile(): file not found";
const char MSG_HEADER[] = "cPCXFile::cPCXFile(): header read error";
const char MSG_VERSION[] = "cPCXFile::cPCXFile(): unsupported PCX format";
const char MSG_READ_PALETTE[] = "cPCXFile::cPCXFile(): can't read palette";
const char MSG_BAD_PALETTE[] = "cPCXFile::cPCXFile(): invalid palette";
const char MSG_SEEK[] = "cPCXFile::cPCXFile(): seek error";
const char MSG_PIXELS[] = "cPCXFile::cPCXFile(): bad pixel data";

int Signed16(const std::uint8_t* p)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

} // namespace

cPCXFile::cPCXFile(const char* pszPath, bool bFlip)
{
    cFileHandle File = OpenContentFile(pszPath);
    if (!File)
        throw cLoadError(MSG_FILE_NOT_FOUND);
    std::uint8_t Header[HEADER_BYTES];
    if (std::fread(Header, 1, sizeof Header, File.get()) != sizeof Header)
        throw cLoadError(MSG_HEADER);
    if (Header[1] != PCX_VERSION)
        throw cLoadError(MSG_VERSION);
    std::uint8_t Palette[PALETTE_BYTES];
    if (std::fseek(File.get(), -static_cast<long>(PALETTE_BYTES), SEEK_END) != 0 ||
        std::fread(Palette, 1, sizeof Palette, File.get()) != sizeof Palette)
        throw cLoadError(MSG_READ_PALETTE);
    if (Palette[0] != PALETTE_MARKER)
        throw cLoadError(MSG_BAD_PALETTE);
    if (std::fseek(File.get(), static_cast<long>(HEADER_BYTES), SEEK_SET) != 0)
        throw cLoadError(MSG_SEEK);
    const std::vector<std::uint8_t> PixelData = ReadRest(File.get(), SIZE_MAX);
    File.reset();
    Decode(Header, Palette, PixelData.data(), PixelData.size(), bFlip, pszPath);
}

cPCXFile::cPCXFile(const std::uint8_t* pData, std::size_t Size, bool bFlip, const char* pszName)
{
    if (Size < HEADER_BYTES)
        throw cLoadError(MSG_HEADER);
    if (pData[1] != PCX_VERSION)
        throw cLoadError(MSG_VERSION);
    if (Size < PALETTE_BYTES)
        throw cLoadError(MSG_READ_PALETTE);
    const std::uint8_t* pPalette = pData + Size - PALETTE_BYTES;
    if (pPalette[0] != PALETTE_MARKER)
        throw cLoadError(MSG_BAD_PALETTE);
    Decode(pData, pPalette, pData + HEADER_BYTES, Size - HEADER_BYTES, bFlip, pszName);
}

cPCXFile::~cPCXFile() = default;

void cPCXFile::Decode(const std::uint8_t* pHeader, const std::uint8_t* pPalette,
                      const std::uint8_t* pPixelData, std::size_t PixelDataSize, bool bFlip,
                      const std::string& Name)
{
    const int Width = Signed16(pHeader + 8) - Signed16(pHeader + 4) + 1;
    const int Height = Signed16(pHeader + 10) - Signed16(pHeader + 6) + 1;
    const int BytesPerLine = Signed16(pHeader + 66);
    if (Width <= 0 || Height <= 0)
        throw cLoadError("cPCXFile::cPCXFile(): empty or inverted image extent in " + Name);
    if (Width > PCX_MAX_SIDE || Height > PCX_MAX_SIDE)
        throw cLoadError("cPCXFile::cPCXFile(): image of " + std::to_string(Width) + " x " +
                         std::to_string(Height) + " is larger than " +
                         std::to_string(PCX_MAX_SIDE) + " x " + std::to_string(PCX_MAX_SIDE) +
                         " in " + Name);
    if (BytesPerLine < Width)
        throw cLoadError("cPCXFile::cPCXFile(): BytesPerLine " + std::to_string(BytesPerLine) +
                         " is smaller than the image width " + std::to_string(Width) + " in " +
                         Name);

    // Each row is BytesPerLine indices in the stream; the ones past Width are padding. A run
    // may carry on into the next row. Two input bytes give at most 63 indices, so data that
    // cannot possibly fill the image is refused before the index buffer is allocated.
    const std::uint64_t Total = std::uint64_t(BytesPerLine) * std::uint64_t(Height);
    if (std::uint64_t(PixelDataSize) * MAX_RUN < Total)
        throw cLoadError(MSG_PIXELS);
    std::vector<std::uint8_t> Indices(std::size_t(Width) * std::size_t(Height));
    std::size_t In = 0;
    std::size_t Out = 0;
    int Column = 0;
    for (std::uint64_t Produced = 0; Produced < Total;)
    {
        if (In >= PixelDataSize)
            throw cLoadError(MSG_PIXELS);
        std::uint8_t Value = pPixelData[In++];
        int Count = 1;
        if ((Value & 0xC0) == 0xC0)
        {
            Count = Value & 0x3F;
            if (In >= PixelDataSize)
                throw cLoadError(MSG_PIXELS);
            Value = pPixelData[In++];
        }
        // A run stops at the last index of the image.
        for (; Count > 0 && Produced < Total; --Count, ++Produced)
        {
            if (Column < Width)
                Indices[Out++] = Value;
            if (++Column == BytesPerLine)
                Column = 0;
        }
    }

    // Rows are reversed first, then the image is resampled to the texture size.
    mPixels.resize(std::size_t(3) * PCX_TEXTURE_SIZE * PCX_TEXTURE_SIZE);
    std::uint8_t* pOut = mPixels.data();
    for (int y = 0; y < PCX_TEXTURE_SIZE; ++y)
    {
        const int Row = y * Height / PCX_TEXTURE_SIZE;
        const std::uint8_t* pRow = &Indices[std::size_t(bFlip ? Height - 1 - Row : Row) * Width];
        for (int x = 0; x < PCX_TEXTURE_SIZE; ++x)
        {
            const std::uint8_t* pEntry = pPalette + 1 + 3 * pRow[x * Width / PCX_TEXTURE_SIZE];
            *pOut++ = pEntry[0];
            *pOut++ = pEntry[1];
            *pOut++ = pEntry[2];
        }
    }
}

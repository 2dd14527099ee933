// cPCXFile: loads one 8-bit palettised, run-length encoded PCX image (version 5, 256-colour
// palette at the end of the file) and expands it to an RGB buffer of 256 x 256 pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Every texture the renderers upload is this many pixels on a side.
constexpr int PCX_TEXTURE_SIZE = 256;

// Largest width and height accepted; larger images are refused before anything is allocated.
constexpr int PCX_MAX_SIDE = 16384;

class cPCXFile
{
public:
    // Loads the file at pszPath (a joined content path) or throws cLoadError with the reason.
    // bFlip reverses the row order of the image.
    cPCXFile(const char* pszPath, bool bFlip);

    // Decodes an image already in memory, exactly as the file constructor would; pszName
    // stands for the file in messages.
    cPCXFile(const std::uint8_t* pData, std::size_t Size, bool bFlip, const char* pszName);

    virtual ~cPCXFile();

    cPCXFile(const cPCXFile&) = delete;
    cPCXFile& operator=(const cPCXFile&) = delete;

    // RGB bytes, PCX_TEXTURE_SIZE x PCX_TEXTURE_SIZE pixels, rows one after the other. An image
    // of another size is resampled to this one (nearest pixel), so texture coordinates in
    // 256ths of a side still point at the same place.
    const std::uint8_t* GetPixels() const { return mPixels.data(); }

private:
    // pHeader holds the 128 header bytes, pPalette the marker and the 768 palette bytes,
    // pPixelData the bytes from offset 128 to the end of the file.
    void Decode(const std::uint8_t* pHeader, const std::uint8_t* pPalette,
                const std::uint8_t* pPixelData, std::size_t PixelDataSize, bool bFlip,
                const std::string& Name);

    std::vector<std::uint8_t> mPixels;
};

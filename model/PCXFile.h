// cPCXFile: loads one 8-bit palettised, run-length encoded PCX image (version 5, 256-colour
// palette at the end of the file) and expands it to an RGB buffer of 256 x 256 pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Every texture the renderers upload is this many pixels on a side.
constexpr int PCX_TEXTURE_SIZE = 256;

class cPCXFile
{
public:
    // Loads the file at pszPath (used unchanged) or throws cLoadError with the reason.
    // bFlip reverses the row order of the image.
    cPCXFile(const char* pszPath, bool bFlip);

    // Decodes an image already in memory, exactly as the file constructor would.
    cPCXFile(const std::uint8_t* pData, std::size_t Size, bool bFlip);

    virtual ~cPCXFile();

    cPCXFile(const cPCXFile&) = delete;
    cPCXFile& operator=(const cPCXFile&) = delete;

    // RGB bytes, PCX_TEXTURE_SIZE x PCX_TEXTURE_SIZE pixels, rows one after the other.
    const std::uint8_t* GetPixels() const { return mPixels.data(); }

private:
    void Decode(const std::uint8_t* pData, std::size_t Size, bool bFlip);

    std::vector<std::uint8_t> mPixels;
};

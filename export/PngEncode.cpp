// PNG encoding into memory through libpng's simplified write interface.
#include "export/PngEncode.h"

#include <png.h>

#include <stdexcept>

std::vector<unsigned char> EncodePngRGB(int Width, int Height, const std::uint8_t* pPixels)
{
    if (Width <= 0 || Height <= 0 || !pPixels)
        throw std::runtime_error("no picture to encode");
    png_image Image{};
    Image.version = PNG_IMAGE_VERSION;
    Image.width = static_cast<png_uint_32>(Width);
    Image.height = static_cast<png_uint_32>(Height);
    Image.format = PNG_FORMAT_RGB;
    png_alloc_size_t Size = 0;
    // The first call only measures; the second writes into a buffer of that size.
    if (!png_image_write_to_memory(&Image, nullptr, &Size, 0, pPixels, 0, nullptr))
        throw std::runtime_error("cannot encode PNG");
    std::vector<unsigned char> Bytes(Size);
    if (!png_image_write_to_memory(&Image, Bytes.data(), &Size, 0, pPixels, 0, nullptr))
        throw std::runtime_error("cannot encode PNG");
    Bytes.resize(Size);
    return Bytes;
}

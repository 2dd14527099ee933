// PNG output through libpng, into a temporary renamed onto the target when complete.
#include "picture/PngWrite.h"

#include <png.h>

#include <stdexcept>
#include <vector>

#include "picture/TempFile.h"

namespace
{
// libpng's own handlers print; the caller's exception says what failed instead.
void QuietError(png_structp pPng, png_const_charp)
{
    png_longjmp(pPng, 1);
}

void QuietWarning(png_structp, png_const_charp) {}
}  // namespace

void WritePng(const std::string& Path, const cRGBAPicture& Picture, bool bAlpha)
{
    if (Picture.Width <= 0 || Picture.Height <= 0 || Picture.Rgba.size() != Picture.NumPixels() * 4)
        throw std::runtime_error("picture size does not match its pixels");
    cTempFile File(Path);
    png_structp pPng = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, QuietWarning);
    png_infop pInfo = pPng ? png_create_info_struct(pPng) : nullptr;
    if (!pInfo)
    {
        png_destroy_write_struct(&pPng, nullptr);
        throw std::runtime_error("out of memory writing " + Path);
    }
    const int Channels = bAlpha ? 4 : 3;
    std::vector<png_byte> Row(static_cast<std::size_t>(Picture.Width) * Channels);
    // libpng reports errors by longjmp; only plain data and objects made before it live here.
    if (setjmp(png_jmpbuf(pPng)))
    {
        png_destroy_write_struct(&pPng, &pInfo);
        throw std::runtime_error("cannot write " + Path);
    }
    png_init_io(pPng, File.File());
    png_set_IHDR(pPng, pInfo, static_cast<png_uint_32>(Picture.Width),
                 static_cast<png_uint_32>(Picture.Height), 8,
                 bAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(pPng, pInfo);
    const std::uint8_t* pPixel = Picture.Rgba.data();
    for (int Y = 0; Y < Picture.Height; ++Y)
    {
        png_byte* pOut = Row.data();
        for (int X = 0; X < Picture.Width; ++X, pPixel += 4, pOut += Channels)
            for (int Channel = 0; Channel < Channels; ++Channel)
                pOut[Channel] = pPixel[Channel];
        png_write_row(pPng, Row.data());
    }
    png_write_end(pPng, nullptr);
    png_destroy_write_struct(&pPng, &pInfo);
    File.Commit();
}

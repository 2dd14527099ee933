// PNG output through libpng; the file is closed on every exit, and a failed close is an error.
#include "platform/png/PngWrite.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace
{
struct cFileCloser
{
    void operator()(std::FILE* pFile) const { std::fclose(pFile); }
};
}

void WritePng(const std::string& Path, int Width, int Height,
              const std::vector<std::uint8_t>& Pixels)
{
    if (Width <= 0 || Height <= 0 ||
        Pixels.size() != static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height) * 3)
        throw std::runtime_error("picture size does not match its pixels");
    std::unique_ptr<std::FILE, cFileCloser> pFile(std::fopen(Path.c_str(), "wb"));
    if (!pFile)
        throw std::runtime_error("cannot write " + Path);
    png_structp pPng = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop pInfo = pPng ? png_create_info_struct(pPng) : nullptr;
    if (!pInfo)
    {
        png_destroy_write_struct(&pPng, nullptr);
        throw std::runtime_error("out of memory writing " + Path);
    }
    // libpng reports errors by longjmp; only plain data lives in this frame past this point.
    if (setjmp(png_jmpbuf(pPng)))
    {
        png_destroy_write_struct(&pPng, &pInfo);
        throw std::runtime_error("cannot write " + Path);
    }
    png_init_io(pPng, pFile.get());
    png_set_IHDR(pPng, pInfo, static_cast<png_uint_32>(Width), static_cast<png_uint_32>(Height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(pPng, pInfo);
    for (int Row = 0; Row < Height; ++Row)
        png_write_row(pPng, &Pixels[static_cast<std::size_t>(Row) * Width * 3]);
    png_write_end(pPng, nullptr);
    png_destroy_write_struct(&pPng, &pInfo);
    // The stream's buffer may still hold the whole picture: only the close says it was stored.
    if (std::fclose(pFile.release()) != 0)
        throw std::runtime_error("cannot write " + Path);
}

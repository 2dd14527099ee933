// Build-time tool: writes the main window's icon (resource 111) as a PNG file for the desktop
// entry, so the installed icon is drawn from the same data as the window's.
#include <cstdio>
#include <memory>
#include <vector>

#include <png.h>

#include "app/resources/ResourceIds.h"
#include "app/resources/Resources.h"

namespace
{
struct tFileCloser
{
    void operator()(std::FILE* pFile) const { std::fclose(pFile); }
};

bool WritePng(const char* pszPath, const tIconTemplate& Icon)
{
    const std::size_t NumPixels = static_cast<std::size_t>(Icon.Width) * Icon.Height;
    if (Icon.Width <= 0 || Icon.Height <= 0 || Icon.Pixels.size() != NumPixels)
        return false;
    std::vector<png_byte> Rgb(NumPixels * 3);
    for (std::size_t I = 0; I < NumPixels; ++I)
    {
        const std::uint8_t Index = Icon.Pixels[I];
        const std::uint32_t Colour = Index < Icon.Palette.size() ? Icon.Palette[Index] : 0;
        Rgb[I * 3 + 0] = static_cast<png_byte>(Colour & 0xFF);
        Rgb[I * 3 + 1] = static_cast<png_byte>((Colour >> 8) & 0xFF);
        Rgb[I * 3 + 2] = static_cast<png_byte>((Colour >> 16) & 0xFF);
    }

    std::unique_ptr<std::FILE, tFileCloser> File(std::fopen(pszPath, "wb"));
    if (!File)
        return false;
    png_structp pPng = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop pInfo = pPng != nullptr ? png_create_info_struct(pPng) : nullptr;
    if (pInfo == nullptr || setjmp(png_jmpbuf(pPng)))
    {
        png_destroy_write_struct(&pPng, &pInfo);
        return false;
    }
    png_init_io(pPng, File.get());
    png_set_IHDR(pPng, pInfo, static_cast<png_uint_32>(Icon.Width),
                 static_cast<png_uint_32>(Icon.Height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(pPng, pInfo);
    for (int Y = 0; Y < Icon.Height; ++Y)
        png_write_row(pPng, &Rgb[static_cast<std::size_t>(Y) * Icon.Width * 3]);
    png_write_end(pPng, nullptr);
    png_destroy_write_struct(&pPng, &pInfo);
    // Data may still wait in the stream's buffer: only a clean close means the file is whole.
    return std::fclose(File.release()) == 0;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: tessaly-icon OUTPUT.png\n");
        return 2;
    }
    const tIconTemplate* pIcon = AppResources().FindIcon(IDI_MAINICON);
    if (pIcon == nullptr || !WritePng(argv[1], *pIcon))
    {
        std::fprintf(stderr, "tessaly-icon: could not write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

// Running tessaly-render from the tool tests, and reading back its pictures.
#include "tests/render/ToolRun.h"

#include <png.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

bool ReadPng(const std::string& Path, cPicture& Picture)
{
    png_image Image{};
    Image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&Image, Path.c_str()))
        return false;
    Image.format = PNG_FORMAT_RGB;
    Picture.Width = static_cast<int>(Image.width);
    Picture.Height = static_cast<int>(Image.height);
    Picture.Rgb.resize(PNG_IMAGE_SIZE(Image));
    return png_image_finish_read(&Image, nullptr, Picture.Rgb.data(), 0, nullptr) != 0;
}

bool WritePng(const std::string& Path, const cPicture& Picture)
{
    png_image Image{};
    Image.version = PNG_IMAGE_VERSION;
    Image.width = static_cast<png_uint_32>(Picture.Width);
    Image.height = static_cast<png_uint_32>(Picture.Height);
    Image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&Image, Path.c_str(), 0, Picture.Rgb.data(), 0, nullptr) != 0;
}

cRun RunTool(const std::string& Dir, const std::string& Args, const std::string& Env)
{
    const std::string OutPath = Dir + "out.txt", ErrPath = Dir + "err.txt";
    const std::string Command = Env + " " + std::string(TESSALY_RENDER_PATH) + " " + Args +
                                " >" + OutPath + " 2>" + ErrPath;
    const int Raw = std::system(Command.c_str());
    auto Slurp = [](const std::string& Path) {
        std::ifstream In(Path);
        std::stringstream Text;
        Text << In.rdbuf();
        return Text.str();
    };
    return {WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1, Slurp(OutPath), Slurp(ErrPath)};
}

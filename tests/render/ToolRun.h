// Running tessaly-render as a program from the tool tests: its exit status and output, and
// the PNG pictures it writes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct cPicture
{
    int Width = 0, Height = 0;
    std::vector<std::uint8_t> Rgb;
    std::vector<int> At(int X, int Y) const
    {
        const std::size_t i = (static_cast<std::size_t>(Y) * Width + X) * 3;
        return {Rgb[i], Rgb[i + 1], Rgb[i + 2]};
    }
};

// Reads an 8-bit PNG as RGB. False when the file is missing or not a PNG.
bool ReadPng(const std::string& Path, cPicture& Picture);
// Writes Picture as an 8-bit RGB PNG. False when the file cannot be written.
bool WritePng(const std::string& Path, const cPicture& Picture);

struct cRun
{
    int Status;
    std::string Out, Err;
};

// Runs the program with Args (split by the shell) and the environment settings Env
// ("NAME=value ..."); its output is caught in files under Dir.
cRun RunTool(const std::string& Dir, const std::string& Args, const std::string& Env = "");

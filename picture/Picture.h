// The picture every writer in this folder takes: 8-bit RGBA, top row first. Alpha is 255
// where the model covers the pixel and 0 where the background shows through a transparent
// picture; an opaque picture has 255 everywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

struct cRGBAPicture
{
    int Width = 0, Height = 0;
    std::vector<std::uint8_t> Rgba;

    std::size_t NumPixels() const
    {
        return static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height);
    }
};

// The opaque picture of Width x Height RGB triples, top row first. Pixels the triples do not
// reach stay black.
cRGBAPicture OpaquePicture(int Width, int Height, const std::vector<std::uint8_t>& Rgb);

// Called as a long write goes on; returning false cancels the write, which then leaves
// nothing behind.
using tWriteProgress = std::function<bool(int Done, int Total)>;

// PNG encoding into memory, for textures embedded in an export.
#pragma once

#include <cstdint>
#include <vector>

// Pixels: Width x Height RGB triples, top row first. Throws std::runtime_error on failure.
std::vector<unsigned char> EncodePngRGB(int Width, int Height, const std::uint8_t* pPixels);

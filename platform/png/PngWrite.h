// Writes an RGB picture as an 8-bit PNG file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Pixels: Width x Height RGB triples, top row first. Throws std::runtime_error on failure.
void WritePng(const std::string& Path, int Width, int Height,
              const std::vector<std::uint8_t>& Pixels);

// TestSupport: small readers the generator tests check the written files with, written
// independently of the generator's own encoders, and the temporary folder they write into.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/common/TempFolder.h"

inline std::vector<std::uint8_t> ReadAll(const std::string& Path)
{
    std::ifstream File(Path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>());
}

struct cUnpacked
{
    int X, Y, Z;
};

// Sign-extends the three fields of a packed vertex word.
inline cUnpacked UnpackVertex(std::uint32_t Word)
{
    const auto Field = [](std::uint32_t Bits, int Width) {
        const int Value = static_cast<int>(Bits & ((1u << Width) - 1));
        return Value >= (1 << (Width - 1)) ? Value - (1 << Width) : Value;
    };
    return {Field(Word, 11), Field(Word >> 11, 11), Field(Word >> 22, 10)};
}

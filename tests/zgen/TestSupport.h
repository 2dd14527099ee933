// TestSupport: a scratch directory per test and small readers the generator tests check
// the written files with, written independently of the generator's own encoders.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A fresh directory, removed with everything in it when the object goes.
class cScratchDir
{
public:
    cScratchDir()
    {
        std::string Pattern = (std::filesystem::temp_directory_path() / "zgen-XXXXXX").string();
        if (mkdtemp(Pattern.data()) != nullptr)
            mPath = Pattern;
    }
    ~cScratchDir()
    {
        std::error_code Ignored;
        if (!mPath.empty())
            std::filesystem::remove_all(mPath, Ignored);
    }
    cScratchDir(const cScratchDir&) = delete;
    cScratchDir& operator=(const cScratchDir&) = delete;

    const std::string& Path() const { return mPath; }

private:
    std::string mPath;
};

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

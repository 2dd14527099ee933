// Byte-level encoders for the generator: packed vertex words, PCX images, the mesh data
// and animation files, and writing a byte buffer to disk.
#include "tools/zgen/ZentorGen.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace
{
void PutU16(std::vector<std::uint8_t>& Out, std::size_t Offset, int Value)
{
    Out[Offset] = static_cast<std::uint8_t>(Value & 0xFF);
    Out[Offset + 1] = static_cast<std::uint8_t>((Value >> 8) & 0xFF);
}

void AppendU32(std::vector<std::uint8_t>& Out, std::uint32_t Value)
{
    for (int Shift = 0; Shift < 32; Shift += 8)
        Out.push_back(static_cast<std::uint8_t>((Value >> Shift) & 0xFF));
}

// Appends one row's bytes as PCX runs. A literal byte below 0xC0 stands for itself; any
// other byte, and every repeat, needs a count byte (0xC0 | n, n up to 63) before it.
void EncodeRow(std::vector<std::uint8_t>& Out, const std::uint8_t* pRow, int Length)
{
    int i = 0;
    while (i < Length)
    {
        const std::uint8_t Value = pRow[i];
        int Run = 1;
        while (i + Run < Length && Run < 63 && pRow[i + Run] == Value)
            ++Run;
        if (Run > 1 || Value >= 0xC0)
            Out.push_back(static_cast<std::uint8_t>(0xC0 | Run));
        Out.push_back(Value);
        i += Run;
    }
}
} // namespace

std::uint32_t PackVertex(int X, int Y, int Z)
{
    X = std::clamp(X, -1024, 1023);
    Y = std::clamp(Y, -1024, 1023);
    Z = std::clamp(Z, -512, 511);
    return (static_cast<std::uint32_t>(X) & 0x7FFu) |
           ((static_cast<std::uint32_t>(Y) & 0x7FFu) << 11) |
           ((static_cast<std::uint32_t>(Z) & 0x3FFu) << 22);
}

std::vector<std::uint8_t> EncodePCX(int Width, int Height, const std::vector<std::uint8_t>& Indices,
                                    const std::uint8_t Palette[768], int BytesPerLine,
                                    std::uint8_t Version)
{
    if (Width < 1 || Height < 1 || Width > 0xFFFF || Height > 0xFFFF)
        throw std::invalid_argument("PCX size out of range");
    if (Indices.size() != static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height))
        throw std::invalid_argument("PCX pixel count does not match its size");
    if (BytesPerLine == 0)
        BytesPerLine = Width + (Width & 1);
    if (BytesPerLine < Width || BytesPerLine > 0xFFFF)
        throw std::invalid_argument("PCX bytes per line out of range");

    std::vector<std::uint8_t> Out(128, 0);
    Out[0] = 10;       // manufacturer
    Out[1] = Version;
    Out[2] = 1;        // run-length encoding
    Out[3] = 8;        // bits per pixel
    PutU16(Out, 8, Width - 1);   // Xmax; Xmin and Ymin stay 0
    PutU16(Out, 10, Height - 1); // Ymax
    PutU16(Out, 12, 72);         // resolution, informational only
    PutU16(Out, 14, 72);
    Out[65] = 1;       // colour planes
    PutU16(Out, 66, BytesPerLine);
    PutU16(Out, 68, 1); // palette info: colour

    std::vector<std::uint8_t> Row(static_cast<std::size_t>(BytesPerLine), 0);
    for (int y = 0; y < Height; ++y)
    {
        std::copy_n(Indices.begin() + static_cast<std::ptrdiff_t>(y) * Width, Width, Row.begin());
        EncodeRow(Out, Row.data(), BytesPerLine);
    }
    Out.push_back(12);
    Out.insert(Out.end(), Palette, Palette + 768);
    return Out;
}

std::vector<std::uint8_t> EncodeDataFile(int NumVertices, const std::vector<MeshTri>& Tris)
{
    if (NumVertices < 0 || NumVertices > 0xFFFF || Tris.size() > GEN_MAX_TRIS)
        throw std::invalid_argument("mesh counts out of range");
    DataHeader Header{};
    Header.NumPolys = static_cast<std::uint16_t>(Tris.size());
    Header.NumVertices = static_cast<std::uint16_t>(NumVertices);
    std::vector<std::uint8_t> Out(sizeof Header + Tris.size() * sizeof(MeshTri));
    std::memcpy(Out.data(), &Header, sizeof Header);
    if (!Tris.empty())
        std::memcpy(Out.data() + sizeof Header, Tris.data(), Tris.size() * sizeof(MeshTri));
    return Out;
}

std::vector<std::uint8_t> EncodeAnivFile(int NumVertices,
                                         const std::vector<std::vector<std::uint32_t>>& Frames,
                                         int FrameSize)
{
    if (NumVertices < 0 || NumVertices > 0xFFFF || Frames.size() > 0xFFFF)
        throw std::invalid_argument("animation counts out of range");
    // The consistent FrameSize must fit the 16-bit field; a wrapped value would misplace
    // every frame after the first.
    if (FrameSize == -1 && NumVertices > GEN_MAX_VERTICES)
        throw std::invalid_argument("too many vertices for a consistent animation file");
    if (FrameSize == -1)
        FrameSize = 4 * NumVertices;
    if (FrameSize < 0 || FrameSize > 0xFFFF)
        throw std::invalid_argument("animation frame size out of range");
    std::vector<std::uint8_t> Out;
    Out.reserve(4 + Frames.size() * 4 * static_cast<std::size_t>(NumVertices));
    Out.resize(4);
    PutU16(Out, 0, static_cast<int>(Frames.size()));
    PutU16(Out, 2, FrameSize);
    for (const auto& Frame : Frames)
    {
        if (Frame.size() != static_cast<std::size_t>(NumVertices))
            throw std::invalid_argument("animation frame has the wrong vertex count");
        for (std::uint32_t Word : Frame)
            AppendU32(Out, Word);
    }
    return Out;
}

void WriteBytes(const std::string& Path, const std::vector<std::uint8_t>& Bytes)
{
    const std::filesystem::path FilePath(Path);
    std::error_code Error;
    if (FilePath.has_parent_path())
        std::filesystem::create_directories(FilePath.parent_path(), Error);
    if (Error)
        throw std::runtime_error("cannot create the directory for " + Path + ": " + Error.message());
    std::ofstream File(FilePath, std::ios::binary | std::ios::trunc);
    if (!File)
        throw std::runtime_error("cannot open " + Path + " for writing");
    File.write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
    File.close();
    if (!File)
        throw std::runtime_error("cannot write " + Path);
}

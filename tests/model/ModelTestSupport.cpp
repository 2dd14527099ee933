// Fixtures for the model import tests: temporary content trees and crafted file bytes.
#include "ModelTestSupport.h"

#include <cstring>
#include <fstream>

const char MESH_IMPORT_LINE[] =
    "#exec MESH IMPORT MESH=Thing ANIVFILE=Models\\m_a.bin DATAFILE=Models\\m_d.bin X=0\n";

void cContentTest::SetUp()
{
    mFolder = std::make_unique<cTempFolder>("tessaly-model");
    mRoot = mFolder->Path();
}

void cContentTest::TearDown()
{
    mFolder.reset();
}

std::string cContentTest::Write(const std::string& RelPath, const cBytes& Bytes) const
{
    const std::filesystem::path Path = mRoot / RelPath;
    std::filesystem::create_directories(Path.parent_path());
    std::ofstream Out(Path, std::ios::binary);
    Out.write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
    EXPECT_TRUE(Out.good()) << Path;
    return Path.string();
}

std::string cContentTest::WriteText(const std::string& RelPath, const std::string& Text) const
{
    return Write(RelPath, cBytes(Text.begin(), Text.end()));
}

cBytes TestPalette()
{
    cBytes Palette;
    for (int i = 0; i < 256; ++i)
    {
        Palette.push_back(static_cast<std::uint8_t>(i));
        Palette.push_back(static_cast<std::uint8_t>(255 - i));
        Palette.push_back(static_cast<std::uint8_t>(i ^ 0x5A));
    }
    return Palette;
}

cBytes MakePCX(int Width, int Height, const cBytes& Encoded, int BytesPerLine,
               std::uint8_t Version, std::uint8_t Marker)
{
    cBytes File(128, 0);
    File[0] = 10;
    File[1] = Version;
    File[2] = 1;
    File[3] = 8;
    auto Put16 = [&](int Offset, int Value) {
        File[Offset] = static_cast<std::uint8_t>(Value & 0xFF);
        File[Offset + 1] = static_cast<std::uint8_t>((Value >> 8) & 0xFF);
    };
    Put16(8, Width - 1);
    Put16(10, Height - 1);
    Put16(66, BytesPerLine ? BytesPerLine : Width);
    File[65] = 1;
    File.insert(File.end(), Encoded.begin(), Encoded.end());
    File.push_back(Marker);
    const cBytes Palette = TestPalette();
    File.insert(File.end(), Palette.begin(), Palette.end());
    return File;
}

cBytes PlainPCX(int Index)
{
    return EncodePCX(256, 256, cBytes(256 * 256, static_cast<std::uint8_t>(Index)), TestPalette().data());
}

std::vector<std::uint8_t> Colour(int Index)
{
    const cBytes Palette = TestPalette();
    return {Palette[3 * Index], Palette[3 * Index + 1], Palette[3 * Index + 2]};
}

std::vector<std::uint8_t> PixelAt(const std::uint8_t* pPixels, int X, int Y)
{
    const std::uint8_t* p = pPixels + 3 * (Y * 256 + X);
    return {p[0], p[1], p[2]};
}

MeshTri Tri(int A, int B, int C, int TextureNum, int Type)
{
    MeshTri T{};
    T.iVertex[0] = static_cast<std::uint16_t>(A);
    T.iVertex[1] = static_cast<std::uint16_t>(B);
    T.iVertex[2] = static_cast<std::uint16_t>(C);
    T.Type = static_cast<std::uint8_t>(Type);
    for (int k = 0; k < 3; ++k)
    {
        T.UV[k][0] = static_cast<std::uint8_t>(10 * k + 1);
        T.UV[k][1] = static_cast<std::uint8_t>(10 * k + 2);
    }
    T.TextureNum = static_cast<std::uint8_t>(TextureNum);
    return T;
}

cBytes MakeAnivFile(int NumFrames, int FrameSize, const std::vector<std::uint32_t>& Words)
{
    AnivHeader Header{static_cast<std::uint16_t>(NumFrames), static_cast<std::uint16_t>(FrameSize)};
    cBytes File(sizeof Header + 4 * Words.size());
    std::memcpy(File.data(), &Header, sizeof Header);
    if (!Words.empty())
        std::memcpy(File.data() + sizeof Header, Words.data(), 4 * Words.size());
    return File;
}

namespace
{
std::string ImportText;

void CollectImportLine(const char* pszLine)
{
    ImportText += pszLine;
}
}

cImportLines::cImportLines() : mPrevious(SetImportOutput(CollectImportLine))
{
    ImportText.clear();
}

cImportLines::~cImportLines()
{
    SetImportOutput(mPrevious);
}

std::string cImportLines::Take()
{
    std::string Text;
    Text.swap(ImportText);
    return Text;
}

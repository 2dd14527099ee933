// Fixtures for the model import tests: a temporary content tree per test and crafted bytes of
// scripts, mesh data files, animation files and PCX images.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/ImportOutput.h"
#include "model/ZentorMesh.h"
#include "tests/common/TempFolder.h"
#include "tools/zgen/ZentorGen.h"

using cBytes = std::vector<std::uint8_t>;

// A fresh directory for each test, removed afterwards. Scripts live in Pkg/Classes, so content
// names resolve against Pkg.
class cContentTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes Bytes at Root/RelPath (creating directories) and returns the full path.
    std::string Write(const std::string& RelPath, const cBytes& Bytes) const;
    std::string WriteText(const std::string& RelPath, const std::string& Text) const;
    // Writes Pkg/Classes/Thing.zc with Text and returns its path.
    std::string Script(const std::string& Text) const { return WriteText("Pkg/Classes/Thing.zc", Text); }
    // The base path the script of Script() resolves content against.
    std::string Base() const { return mRoot.string() + "/Pkg/Classes/..\\"; }

    std::unique_ptr<cTempFolder> mFolder;
    std::filesystem::path mRoot;
};

// Palette entry i is (i, 255 - i, i ^ 0x5A), so every index has its own colour.
cBytes TestPalette();

// A well-formed 256 x 256 PCX file, every pixel of index Index.
cBytes PlainPCX(int Index);

// A PCX file: a 128-byte header (version, extent from 0,0 to Width-1,Height-1, BytesPerLine),
// the encoded bytes, then the marker and TestPalette().
cBytes MakePCX(int Width, int Height, const cBytes& Encoded, int BytesPerLine = 0,
               std::uint8_t Version = 5, std::uint8_t Marker = 12);

// The RGB colour that TestPalette() gives index Index.
std::vector<std::uint8_t> Colour(int Index);
// The RGB pixel at X, Y of a 256 x 256 texture.
std::vector<std::uint8_t> PixelAt(const std::uint8_t* pPixels, int X, int Y);

MeshTri Tri(int A, int B, int C, int TextureNum = 0, int Type = 0);
// An animation file with any header, unlike the generator's consistent ones.
cBytes MakeAnivFile(int NumFrames, int FrameSize, const std::vector<std::uint32_t>& Words);

// The MESH IMPORT line for Models\m_a.bin and Models\m_d.bin.
extern const char MESH_IMPORT_LINE[];

// Collects the model import's diagnostic lines for as long as it lives, then puts back the sink
// that was set before.
class cImportLines
{
public:
    cImportLines();
    ~cImportLines();
    cImportLines(const cImportLines&) = delete;
    cImportLines& operator=(const cImportLines&) = delete;
    // The lines received so far, which are then forgotten.
    std::string Take();

private:
    ImportOutputProc mPrevious = nullptr;
};

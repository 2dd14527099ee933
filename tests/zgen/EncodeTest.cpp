// Byte-level encoders of the generator: packed vertex words, PCX images and the mesh files.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "tests/zgen/TestSupport.h"
#include "tools/zgen/ZentorGen.h"

namespace
{
// A PCX decoder that honours BytesPerLine and refuses runs crossing a row, so it checks
// the writer's promises rather than what a lenient reader would accept.
struct cDecodedPCX
{
    int Width = 0, Height = 0, BytesPerLine = 0, Version = 0;
    std::vector<std::uint8_t> Rows;  // Height * BytesPerLine, pad bytes included
    std::vector<std::uint8_t> Palette;
    bool RunCrossedRow = false;
};

cDecodedPCX DecodePCX(const std::vector<std::uint8_t>& File)
{
    cDecodedPCX Out;
    if (File.size() < 128 + 769)
        throw std::runtime_error("too short");
    const auto U16 = [&](std::size_t At) { return File[At] | (File[At + 1] << 8); };
    Out.Version = File[1];
    Out.Width = U16(8) - U16(4) + 1;
    Out.Height = U16(10) - U16(6) + 1;
    Out.BytesPerLine = U16(66);
    if (File[File.size() - 769] != 12)
        throw std::runtime_error("no palette marker");
    Out.Palette.assign(File.end() - 768, File.end());
    const std::size_t DataEnd = File.size() - 769;
    std::size_t At = 128;
    for (int y = 0; y < Out.Height; ++y)
    {
        int x = 0;
        while (x < Out.BytesPerLine)
        {
            if (At >= DataEnd)
                throw std::runtime_error("pixel data ends early");
            int Count = 1;
            std::uint8_t Value = File[At++];
            if (Value >= 0xC0)
            {
                Count = Value & 0x3F;
                if (At >= DataEnd)
                    throw std::runtime_error("run without value");
                Value = File[At++];
            }
            if (x + Count > Out.BytesPerLine)
                Out.RunCrossedRow = true;
            for (int i = 0; i < Count && x < Out.BytesPerLine; ++i, ++x)
                Out.Rows.push_back(Value);
        }
    }
    if (At != DataEnd)
        throw std::runtime_error("bytes left between the pixels and the palette");
    return Out;
}

std::vector<std::uint8_t> TestPalette()
{
    std::vector<std::uint8_t> Palette(768);
    for (std::size_t i = 0; i < Palette.size(); ++i)
        Palette[i] = static_cast<std::uint8_t>(i * 7);
    return Palette;
}
} // namespace

TEST(PackVertex, FieldBitPatterns)
{
    EXPECT_EQ(PackVertex(-1, 0, 0), 0x7FFu);
    EXPECT_EQ(PackVertex(-1024, 0, 0), 0x400u);
    EXPECT_EQ(PackVertex(1023, 0, 0), 0x3FFu);
    EXPECT_EQ(PackVertex(0, -1024, 0), 1u << 21);
    EXPECT_EQ(PackVertex(0, 1023, 0), 0x3FFu << 11);
    EXPECT_EQ(PackVertex(0, 0, -512), 0x80000000u);
    EXPECT_EQ(PackVertex(0, 0, 511), 0x1FFu << 22);
    EXPECT_EQ(PackVertex(-1, -1, -1), 0xFFFFFFFFu);
}

TEST(PackVertex, RoundTripsEveryRangeAndClampsBeyond)
{
    const int XY[] = {-1024, -1023, -513, -512, -1, 0, 1, 511, 512, 1022, 1023};
    const int Z[] = {-512, -511, -1, 0, 1, 255, 510, 511};
    for (int X : XY)
        for (int Y : XY)
            for (int Zv : Z)
            {
                const cUnpacked P = UnpackVertex(PackVertex(X, Y, Zv));
                ASSERT_EQ(P.X, X);
                ASSERT_EQ(P.Y, Y);
                ASSERT_EQ(P.Z, Zv);
            }
    // Out-of-range values stay at the edge of their field instead of wrapping to the
    // other side of the model.
    const cUnpacked High = UnpackVertex(PackVertex(5000, 1024, 512));
    EXPECT_EQ(High.X, 1023);
    EXPECT_EQ(High.Y, 1023);
    EXPECT_EQ(High.Z, 511);
    const cUnpacked Low = UnpackVertex(PackVertex(-5000, -1025, -513));
    EXPECT_EQ(Low.X, -1024);
    EXPECT_EQ(Low.Y, -1024);
    EXPECT_EQ(Low.Z, -512);
}

TEST(EncodePCX, DecodesBackWithRunsEscapesAndRowPadding)
{
    // 5 x 4: an odd width (one pad byte per row), a row of high bytes that need escaping,
    // and a row that is one long run.
    const int W = 5, H = 4;
    const std::vector<std::uint8_t> Pixels = {1, 2, 3, 4, 5,        0xC0, 0xFF, 0xC5, 0xBF, 0,
                                              7, 7, 7, 7, 7,        9, 9, 0xC1, 0xC1, 9};
    const std::vector<std::uint8_t> Palette = TestPalette();
    const std::vector<std::uint8_t> File = EncodePCX(W, H, Pixels, Palette.data());
    const cDecodedPCX Pcx = DecodePCX(File);
    EXPECT_EQ(Pcx.Version, 5);
    EXPECT_EQ(File[0], 10);
    EXPECT_EQ(File[2], 1);
    EXPECT_EQ(File[3], 8);
    EXPECT_EQ(File[65], 1);
    EXPECT_EQ(Pcx.Width, W);
    EXPECT_EQ(Pcx.Height, H);
    EXPECT_EQ(Pcx.BytesPerLine, 6);
    EXPECT_FALSE(Pcx.RunCrossedRow);
    EXPECT_EQ(Pcx.Palette, Palette);
    for (int y = 0; y < H; ++y)
    {
        for (int x = 0; x < W; ++x)
            EXPECT_EQ(Pcx.Rows[static_cast<std::size_t>(y * 6 + x)], Pixels[static_cast<std::size_t>(y * W + x)])
                << "pixel " << x << "," << y;
        EXPECT_EQ(Pcx.Rows[static_cast<std::size_t>(y * 6 + 5)], 0) << "pad byte of row " << y;
    }
}

TEST(EncodePCX, LongRunsWidePaddingAndVersion)
{
    // 200 equal bytes need several runs of at most 63; explicit padding to 210 per row.
    const int W = 200, H = 3;
    std::vector<std::uint8_t> Pixels(static_cast<std::size_t>(W * H), 0xEE);
    Pixels[250] = 4;
    const std::vector<std::uint8_t> Palette = TestPalette();
    const std::vector<std::uint8_t> File = EncodePCX(W, H, Pixels, Palette.data(), 210, 3);
    const cDecodedPCX Pcx = DecodePCX(File);
    EXPECT_EQ(Pcx.Version, 3);
    EXPECT_EQ(Pcx.BytesPerLine, 210);
    EXPECT_FALSE(Pcx.RunCrossedRow);
    ASSERT_EQ(Pcx.Rows.size(), 630u);
    EXPECT_EQ(Pcx.Rows[210 + 50], 4);
    EXPECT_EQ(Pcx.Rows[199], 0xEE);
    EXPECT_EQ(Pcx.Rows[205], 0);

    EXPECT_THROW(EncodePCX(W, H, Pixels, Palette.data(), 199), std::invalid_argument);
    EXPECT_THROW(EncodePCX(W, H + 1, Pixels, Palette.data()), std::invalid_argument);
    EXPECT_THROW(EncodePCX(0, 0, {}, Palette.data()), std::invalid_argument);
}

TEST(MeshFiles, DataAndAnimationLayout)
{
    MeshTri Tri{};
    Tri.iVertex[0] = 0x0102;
    Tri.iVertex[1] = 1;
    Tri.iVertex[2] = 2;
    Tri.Type = 0x12;
    Tri.UV[2][1] = 200;
    Tri.TextureNum = 8;
    const std::vector<std::uint8_t> Data = EncodeDataFile(3, {Tri, Tri});
    ASSERT_EQ(Data.size(), 48u + 32u);
    EXPECT_EQ(Data[0], 2);
    EXPECT_EQ(Data[1], 0);
    EXPECT_EQ(Data[2], 3);
    EXPECT_EQ(Data[48], 0x02);
    EXPECT_EQ(Data[49], 0x01);
    EXPECT_EQ(Data[48 + 6], 0x12);
    EXPECT_EQ(Data[48 + 13], 200);
    EXPECT_EQ(Data[48 + 14], 8);

    const std::vector<std::vector<std::uint32_t>> Frames = {{1, 2, 0x80000000u}, {4, 5, 6}};
    const std::vector<std::uint8_t> Aniv = EncodeAnivFile(3, Frames);
    ASSERT_EQ(Aniv.size(), 4u + 24u);
    EXPECT_EQ(Aniv[0], 2);
    EXPECT_EQ(Aniv[2], 12);
    EXPECT_EQ(Aniv[4 + 8 + 3], 0x80);
    EXPECT_EQ(Aniv[4 + 12], 4);

    // Crafted inconsistent headers for reader tests.
    EXPECT_EQ(EncodeAnivFile(3, Frames, 400)[2], 400 & 0xFF);
    EXPECT_EQ(EncodeAnivFile(3, Frames, 400)[3], 400 >> 8);
    EXPECT_THROW(EncodeAnivFile(3, {{1, 2}}), std::invalid_argument);
    // 16384 vertices would need a FrameSize of 65536, which the header cannot hold.
    EXPECT_THROW(EncodeAnivFile(16384, {}), std::invalid_argument);
    EXPECT_NO_THROW(EncodeAnivFile(16384, {}, 0));
}

TEST(WriteBytes, CreatesDirectoriesAndReportsFailure)
{
    const cTempFolder Dir;
    const std::string Path = Dir.Path() + "/a/b/c.bin";
    WriteBytes(Path, {1, 2, 3});
    EXPECT_EQ(ReadAll(Path), (std::vector<std::uint8_t>{1, 2, 3}));
    // A directory in the way of the file.
    EXPECT_THROW(WriteBytes(Dir.Path() + "/a/b", {1}), std::runtime_error);
}

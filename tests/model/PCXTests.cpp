// PCX reading: the refusal messages, run-length decoding, padded rows, row order and the
// resampling to the texture size.
#include <memory>

#include "ModelTestSupport.h"
#include "model/LoadError.h"
#include "model/PCXFile.h"

namespace
{

class cPCXTest : public cContentTest
{
protected:
    // The message of loading Bytes from a file, checked to equal that of loading them from
    // memory; "loaded" when both succeed.
    std::string Refusal(const cBytes& Bytes) const
    {
        const std::string Path = Write("image.pcx", Bytes);
        const std::string FromFile = Message([&] { cPCXFile Image(Path.c_str(), false); });
        const std::string FromMemory =
            Message([&] { cPCXFile Image(Bytes.data(), Bytes.size(), false, Path.c_str()); });
        EXPECT_EQ(FromFile, FromMemory);
        return FromFile;
    }
    template <typename F> static std::string Message(F Load)
    {
        try
        {
            Load();
        }
        catch (const cLoadError& Error)
        {
            return Error.what();
        }
        return "loaded";
    }
};

std::unique_ptr<cPCXFile> Decode(const cBytes& Bytes, bool bFlip = false)
{
    return std::make_unique<cPCXFile>(Bytes.data(), Bytes.size(), bFlip, "test.pcx");
}

TEST_F(cPCXTest, EachCheckHasItsMessage)
{
    const cBytes Good = PlainPCX(1);
    EXPECT_EQ(Refusal(Good), "loaded");
    EXPECT_EQ(Message([&] { cPCXFile Image((mRoot / "none.pcx").c_str(), false); }),
              "cPCXFile::cPCXFile(): file not found");
    EXPECT_EQ(Refusal(cBytes(Good.begin(), Good.begin() + 127)), "cPCXFile::cPCXFile(): header read error");
    EXPECT_EQ(Refusal(EncodePCX(256, 256, cBytes(256 * 256, 1), TestPalette().data(), 0, 3)),
              "cPCXFile::cPCXFile(): unsupported PCX format");
    cBytes Short(Good.begin(), Good.begin() + 768);
    EXPECT_EQ(Refusal(Short), "cPCXFile::cPCXFile(): can't read palette");
    EXPECT_EQ(Refusal(MakePCX(256, 256, cBytes(256 * 256 / 63 + 1, 0xFF), 0, 5, 11)),
              "cPCXFile::cPCXFile(): invalid palette");
    // A quarter of the indices encoded; decoding reads on through the palette bytes (at most
    // 63 indices per byte) and still runs out.
    EXPECT_EQ(Refusal(MakePCX(256, 256, cBytes(256 * 256 / 4 / 63, 0xFF))),
              "cPCXFile::cPCXFile(): bad pixel data");
}

TEST_F(cPCXTest, ExtentsThatCannotBeAnImageAreRefused)
{
    cBytes Inverted = MakePCX(4, 4, cBytes(16, 1));
    Inverted[4] = 5;  // Xmin beyond Xmax
    const std::string Name = (mRoot / "image.pcx").string();
    EXPECT_EQ(Refusal(Inverted), "cPCXFile::cPCXFile(): empty or inverted image extent in " + Name);
    cBytes Flat = MakePCX(4, 4, cBytes(16, 1));
    Flat[6] = 4;  // Ymin one past Ymax: height 0
    EXPECT_EQ(Refusal(Flat), "cPCXFile::cPCXFile(): empty or inverted image extent in " + Name);
    EXPECT_EQ(Refusal(MakePCX(16385, 1, {0xC1, 0})),
              "cPCXFile::cPCXFile(): image of 16385 x 1 is larger than 16384 x 16384 in " + Name);
    // The largest accepted extent with almost no data is refused before its buffer is made.
    EXPECT_EQ(Refusal(MakePCX(16384, 16384, {0xFF, 0})), "cPCXFile::cPCXFile(): bad pixel data");
    EXPECT_EQ(Refusal(MakePCX(4, 2, cBytes(8, 1), 3)),
              "cPCXFile::cPCXFile(): BytesPerLine 3 is smaller than the image width 4 in " + Name);
}

TEST_F(cPCXTest, RunsLiteralsAndEmptyRuns)
{
    // 0xC3 0x07: three of index 7; 0xC0 0x09: nothing; 0xBF: one pixel of index 0xBF. The
    // eight columns each cover 32 texture columns.
    const auto Image = Decode(MakePCX(8, 1, {0xC3, 0x07, 0xC0, 0x09, 0xBF, 0xC4, 0x02}));
    EXPECT_EQ(PixelAt(Image->GetPixels(), 0, 0), Colour(7));
    EXPECT_EQ(PixelAt(Image->GetPixels(), 2 * 32, 0), Colour(7));
    EXPECT_EQ(PixelAt(Image->GetPixels(), 3 * 32, 255), Colour(0xBF));
    EXPECT_EQ(PixelAt(Image->GetPixels(), 4 * 32, 0), Colour(2));
    EXPECT_EQ(PixelAt(Image->GetPixels(), 255, 255), Colour(2));
}

TEST_F(cPCXTest, RunsCrossRowsAndSkipPadding)
{
    // Width 2, no padding: one run of 6 fills both rows; the two indices past the end are dropped.
    const auto Continuous = Decode(MakePCX(2, 2, {0xC6, 5}));
    EXPECT_EQ(PixelAt(Continuous->GetPixels(), 255, 255), Colour(5));

    // Width 2 with 3 bytes per line: row 0 is 1,1 (pad 1), row 1 is 1,4 (pad 9).
    const auto Padded = Decode(MakePCX(2, 2, {0xC4, 1, 4, 9}, 3));
    EXPECT_EQ(PixelAt(Padded->GetPixels(), 0, 0), Colour(1));
    EXPECT_EQ(PixelAt(Padded->GetPixels(), 255, 0), Colour(1));
    EXPECT_EQ(PixelAt(Padded->GetPixels(), 0, 255), Colour(1));
    EXPECT_EQ(PixelAt(Padded->GetPixels(), 255, 255), Colour(4));
}

TEST_F(cPCXTest, FlippingReversesRowsAndKeepsTheMiddleOne)
{
    // Three rows of indices 10, 11, 12; each image row covers about a third of the texture.
    cBytes Rows;
    for (int Row = 0; Row < 3; ++Row)
        Rows.insert(Rows.end(), 256, static_cast<std::uint8_t>(10 + Row));
    const cBytes Bytes = EncodePCX(256, 3, Rows, TestPalette().data());
    const auto Plain = Decode(Bytes, false);
    const auto Flipped = Decode(Bytes, true);
    EXPECT_EQ(PixelAt(Plain->GetPixels(), 9, 0), Colour(10));
    EXPECT_EQ(PixelAt(Plain->GetPixels(), 9, 255), Colour(12));
    EXPECT_EQ(PixelAt(Flipped->GetPixels(), 9, 0), Colour(12));
    EXPECT_EQ(PixelAt(Flipped->GetPixels(), 9, 128), Colour(11));
    EXPECT_EQ(PixelAt(Flipped->GetPixels(), 9, 255), Colour(10));
}

TEST_F(cPCXTest, OtherSizesAreResampledSoCoordinatesKeepTheirPlace)
{
    // A 2 x 2 image of indices 1 2 / 3 4 becomes four 128-pixel quadrants.
    const auto Image = Decode(MakePCX(2, 2, {1, 2, 3, 4}));
    EXPECT_EQ(PixelAt(Image->GetPixels(), 127, 0), Colour(1));
    EXPECT_EQ(PixelAt(Image->GetPixels(), 128, 0), Colour(2));
    EXPECT_EQ(PixelAt(Image->GetPixels(), 0, 128), Colour(3));
    EXPECT_EQ(PixelAt(Image->GetPixels(), 255, 255), Colour(4));
}

} // namespace

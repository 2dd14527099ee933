// The picture writers read back with the libraries' own decoders: every picture composed from
// the GIF's changed rectangles and the WebP's frames equals the one written, the timing and
// loop, the palette's fidelity on many colours, transparency, and failures and cancels that
// leave nothing behind.
#include <gtest/gtest.h>
#include <gif_lib.h>
#include <sys/resource.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "picture/Animation.h"
#include "picture/Palette.h"
#include "picture/PngWrite.h"
#include "tests/picture/AnimationRead.h"

namespace fs = std::filesystem;

namespace
{
// A square of side 12 at (8 + 3k, 10 + k) over a flat background, with a stripe of Shade:
// few colours, and most of each picture the same as the last.
cRGBAPicture MovingSquare(int k, int Shade = 0, bool bTransparent = false)
{
    cRGBAPicture Picture{64, 48, {}};
    for (int Y = 0; Y < Picture.Height; ++Y)
        for (int X = 0; X < Picture.Width; ++X)
        {
            const bool bSquare = X >= 8 + 3 * k && X < 20 + 3 * k && Y >= 10 + k && Y < 22 + k;
            const std::uint8_t R = bSquare ? 200 : 20, G = bSquare ? static_cast<std::uint8_t>(Shade + X) : 40,
                               B = bSquare ? 30 : 90;
            const std::uint8_t A = bSquare || !bTransparent ? 255 : 0;
            Picture.Rgba.insert(Picture.Rgba.end(), {A ? R : std::uint8_t(0), A ? G : std::uint8_t(0),
                                                     A ? B : std::uint8_t(0), A});
        }
    return Picture;
}

// 65536 colours: red across, green down, blue both ways and with k.
cRGBAPicture Gradient(int k)
{
    cRGBAPicture Picture{256, 256, {}};
    for (int Y = 0; Y < 256; ++Y)
        for (int X = 0; X < 256; ++X)
            Picture.Rgba.insert(Picture.Rgba.end(), {static_cast<std::uint8_t>(X), static_cast<std::uint8_t>(Y),
                                                     static_cast<std::uint8_t>((X + Y + 16 * k) / 3), 255});
    return Picture;
}

// Colours no encoder can squeeze much: a fixed pseudo-random sequence.
cRGBAPicture Noise(unsigned Seed)
{
    cRGBAPicture Picture{256, 256, {}};
    for (std::size_t i = 0; i < Picture.NumPixels(); ++i)
    {
        Seed = Seed * 1664525u + 1013904223u;
        Picture.Rgba.insert(Picture.Rgba.end(), {static_cast<std::uint8_t>(Seed >> 24),
                                                 static_cast<std::uint8_t>(Seed >> 16),
                                                 static_cast<std::uint8_t>(Seed >> 8), 255});
    }
    return Picture;
}

double Psnr(const cRGBAPicture& A, const cRGBAPicture& B)
{
    double Sum = 0;
    for (std::size_t i = 0; i < A.Rgba.size(); ++i)
        if (i % 4 != 3)
        {
            const double D = static_cast<double>(A.Rgba[i]) - B.Rgba[i];
            Sum += D * D;
        }
    const double Mse = Sum / static_cast<double>(A.NumPixels() * 3);
    return Mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / Mse);
}

class cPictureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mDir = fs::temp_directory_path() / ("tessaly_picture_" + std::to_string(::getpid()));
        fs::remove_all(mDir);
        fs::create_directories(mDir);
    }
    void TearDown() override { fs::remove_all(mDir); }

    std::string Path(const char* pszName) const { return (mDir / pszName).string(); }
    // Nothing in the folder but Keep.
    void ExpectOnly(const std::vector<std::string>& Keep) const
    {
        std::vector<std::string> Names;
        for (const fs::directory_entry& Entry : fs::directory_iterator(mDir))
            Names.push_back(Entry.path().filename().string());
        std::sort(Names.begin(), Names.end());
        EXPECT_EQ(Names, Keep);
    }

    static void Write(eAnimationFormat Format, const std::string& Target,
                      const std::vector<cRGBAPicture>& Pictures, const cAnimationSettings& Settings)
    {
        auto pWriter = OpenAnimation(Format, Target, Pictures[0].Width, Pictures[0].Height, Settings);
        for (const cRGBAPicture& Picture : Pictures)
            pWriter->Add(Picture);
        ASSERT_TRUE(pWriter->Finish({}));
    }

    fs::path mDir;
};
}  // namespace

TEST(AnimationTiming, DelaysCarryTheRoundingAndAddUpToTheLength)
{
    for (int Fps = 1; Fps <= 60; ++Fps)
        for (int NumPictures : {1, 7, 16, 200})
        {
            const std::vector<int> Delays = GifDelays(NumPictures, Fps);
            ASSERT_EQ(static_cast<int>(Delays.size()), NumPictures);
            int Total = 0;
            for (const int Delay : Delays)
            {
                // Each is 100 / Fps rounded down or up, never drifting.
                EXPECT_GE(Delay, 100 / Fps) << Fps;
                EXPECT_LE(Delay, (100 + Fps - 1) / Fps) << Fps;
                Total += Delay;
            }
            EXPECT_EQ(Total, static_cast<int>(std::lround(NumPictures * 100.0 / Fps))) << Fps << " " << NumPictures;
            EXPECT_EQ(PictureStart(NumPictures, Fps, 1000),
                      static_cast<int>(std::lround(NumPictures * 1000.0 / Fps)));
        }
    EXPECT_EQ(GifDelays(3, 30), (std::vector<int>{3, 4, 3}));
}

TEST_F(cPictureTest, GifHoldsEveryPictureExactlyInChangedRectangles)
{
    std::vector<cRGBAPicture> Pictures;
    for (int k = 0; k < 6; ++k)
        Pictures.push_back(MovingSquare(k, 4 * k));
    cAnimationSettings Settings;
    Settings.Fps = 30;
    Write(eAnimationFormat::Gif, Path("a.gif"), Pictures, Settings);
    ExpectOnly({"a.gif"});

    cReadAnimation Read;
    ASSERT_TRUE(ReadGif(Path("a.gif"), Read));
    ASSERT_EQ(Read.Pictures.size(), Pictures.size());
    for (std::size_t k = 0; k < Pictures.size(); ++k)
        EXPECT_EQ(Read.Pictures[k].Rgba, Pictures[k].Rgba) << "picture " << k;
    EXPECT_EQ(Read.Delays, GifDelays(6, 30));
    EXPECT_EQ(Read.LoopCount, 0);
    // The first picture is whole; each later one covers only the old and the new square.
    EXPECT_EQ(Read.Rects[0], (std::vector<int>{0, 0, 64, 48}));
    for (std::size_t k = 1; k < Pictures.size(); ++k)
        EXPECT_EQ(Read.Rects[k], (std::vector<int>{8 + 3 * int(k - 1), 10 + int(k - 1), 15, 13})) << k;

    // One picture: a still GIF with no loop block.
    Write(eAnimationFormat::Gif, Path("b.gif"), {Pictures[2]}, Settings);
    ASSERT_TRUE(ReadGif(Path("b.gif"), Read));
    ASSERT_EQ(Read.Pictures.size(), 1u);
    EXPECT_EQ(Read.Pictures[0].Rgba, Pictures[2].Rgba);
    EXPECT_EQ(Read.LoopCount, -1);
}

TEST_F(cPictureTest, OnePaletteForManyColoursBeatsGiflibsOwnQuantizer)
{
    std::vector<cRGBAPicture> Pictures{Gradient(0), Gradient(1), Gradient(2)};
    Write(eAnimationFormat::Gif, Path("g.gif"), Pictures, {});
    cReadAnimation Read;
    ASSERT_TRUE(ReadGif(Path("g.gif"), Read));
    ASSERT_EQ(Read.Pictures.size(), 3u);

    // giflib's quantizer on the same pictures stacked into one, as one palette for all.
    const int W = 256, H = 256 * 3;
    std::vector<GifByteType> R, G, B;
    for (const cRGBAPicture& Picture : Pictures)
        for (std::size_t i = 0; i < Picture.NumPixels(); ++i)
        {
            R.push_back(Picture.Rgba[4 * i]);
            G.push_back(Picture.Rgba[4 * i + 1]);
            B.push_back(Picture.Rgba[4 * i + 2]);
        }
    int Size = 256;
    std::vector<GifColorType> Map(256);
    std::vector<GifByteType> Out(R.size());
    ASSERT_EQ(GifQuantizeBuffer(W, H, &Size, R.data(), G.data(), B.data(), Out.data(), Map.data()), GIF_OK);
    for (std::size_t k = 0; k < 3; ++k)
    {
        cRGBAPicture Theirs = Pictures[k];
        for (std::size_t i = 0; i < Theirs.NumPixels(); ++i)
        {
            const GifColorType& C = Map[Out[k * Theirs.NumPixels() + i]];
            Theirs.Rgba[4 * i] = C.Red, Theirs.Rgba[4 * i + 1] = C.Green, Theirs.Rgba[4 * i + 2] = C.Blue;
        }
        const double Ours = Psnr(Read.Pictures[k], Pictures[k]), Giflib = Psnr(Theirs, Pictures[k]);
        EXPECT_GT(Ours, Giflib + 1.0) << "picture " << k;
        EXPECT_GT(Ours, 33.0) << "picture " << k;
    }

    // Dithering trades single pixels for the right colour on average: 8 x 8 blocks keep
    // their mean closer to the original than the nearest colour does.
    cAnimationSettings Dither;
    Dither.bDither = true;
    Write(eAnimationFormat::Gif, Path("d.gif"), {Pictures[0]}, Dither);
    cReadAnimation Dithered;
    ASSERT_TRUE(ReadGif(Path("d.gif"), Dithered));
    auto BlockError = [&](const cRGBAPicture& Got) {
        double Sum = 0;
        for (int BY = 0; BY < 256; BY += 8)
            for (int BX = 0; BX < 256; BX += 8)
                for (int c = 0; c < 3; ++c)
                {
                    double Diff = 0;
                    for (int Y = BY; Y < BY + 8; ++Y)
                        for (int X = BX; X < BX + 8; ++X)
                        {
                            const std::size_t i = (static_cast<std::size_t>(Y) * 256 + X) * 4 + c;
                            Diff += static_cast<double>(Got.Rgba[i]) - Pictures[0].Rgba[i];
                        }
                    Sum += std::abs(Diff / 64);
                }
        return Sum;
    };
    EXPECT_LT(BlockError(Dithered.Pictures[0]), 0.7 * BlockError(Read.Pictures[0]));
}

TEST_F(cPictureTest, WebPLosslessIsExactAndLossyIsClose)
{
    std::vector<cRGBAPicture> Pictures;
    for (int k = 0; k < 5; ++k)
        Pictures.push_back(k % 2 ? Gradient(k) : MovingSquare(k, 0));
    for (cRGBAPicture& Picture : Pictures)
        if (Picture.Width != 256)
        {
            // Every picture of an animation is the same size: the square's on a gradient.
            cRGBAPicture Big = Gradient(0);
            for (int Y = 0; Y < Picture.Height; ++Y)
                std::copy_n(&Picture.Rgba[static_cast<std::size_t>(Y) * 64 * 4], 64 * 4,
                            &Big.Rgba[static_cast<std::size_t>(Y) * 256 * 4]);
            Picture = Big;
        }
    cAnimationSettings Settings;
    Settings.Fps = 7;
    Write(eAnimationFormat::WebP, Path("a.webp"), Pictures, Settings);
    cReadAnimation Read;
    ASSERT_TRUE(ReadWebP(Path("a.webp"), Read));
    ASSERT_EQ(Read.Pictures.size(), Pictures.size());
    for (std::size_t k = 0; k < Pictures.size(); ++k)
        EXPECT_EQ(Read.Pictures[k].Rgba, Pictures[k].Rgba) << "picture " << k;
    EXPECT_EQ(Read.Delays, (std::vector<int>{143, 143, 143, 142, 143}));
    EXPECT_EQ(Read.LoopCount, 0);

    Settings.Quality = 60;
    Write(eAnimationFormat::WebP, Path("b.webp"), Pictures, Settings);
    ASSERT_TRUE(ReadWebP(Path("b.webp"), Read));
    ASSERT_EQ(Read.Pictures.size(), Pictures.size());
    for (std::size_t k = 0; k < Pictures.size(); ++k)
        EXPECT_GT(Psnr(Read.Pictures[k], Pictures[k]), 30.0) << "picture " << k;
    EXPECT_LT(fs::file_size(Path("b.webp")), fs::file_size(Path("a.webp")));
}

TEST_F(cPictureTest, TransparentPixelsStayTransparentInEveryFormat)
{
    std::vector<cRGBAPicture> Pictures;
    for (int k = 0; k < 4; ++k)
        Pictures.push_back(MovingSquare(3 * k, 0, true));
    cAnimationSettings Settings;
    Settings.bTransparent = true;
    Write(eAnimationFormat::Gif, Path("t.gif"), Pictures, Settings);
    Write(eAnimationFormat::WebP, Path("t.webp"), Pictures, Settings);
    cReadAnimation Gif, WebP;
    ASSERT_TRUE(ReadGif(Path("t.gif"), Gif));
    ASSERT_TRUE(ReadWebP(Path("t.webp"), WebP));
    for (const cReadAnimation* pRead : {&Gif, &WebP})
    {
        ASSERT_EQ(pRead->Pictures.size(), Pictures.size());
        for (std::size_t k = 0; k < Pictures.size(); ++k)
            for (std::size_t i = 0; i < Pictures[k].NumPixels(); ++i)
            {
                const std::uint8_t* pWant = &Pictures[k].Rgba[4 * i];
                const std::uint8_t* pGot = &pRead->Pictures[k].Rgba[4 * i];
                // The square moves away: the pixels it leaves are transparent again.
                ASSERT_EQ(pGot[3], pWant[3]) << "picture " << k << " pixel " << i;
                if (pWant[3])
                {
                    ASSERT_TRUE(std::equal(pWant, pWant + 3, pGot)) << "picture " << k << " pixel " << i;
                }
            }
    }
    WritePng(Path("t.png"), Pictures[1], true);
    ExpectOnly({"t.gif", "t.png", "t.webp"});
}

TEST_F(cPictureTest, FailuresAndCancelsLeaveNothingBehind)
{
    const std::vector<cRGBAPicture> Pictures{Gradient(0), Gradient(1), Gradient(2)};
    std::ofstream(Path("keep.gif")) << "earlier";
    for (eAnimationFormat Format : {eAnimationFormat::Gif, eAnimationFormat::WebP})
    {
        // A folder that is not there fails before any picture is added.
        EXPECT_THROW(OpenAnimation(Format, Path("none/a.gif"), 256, 256, {}), std::runtime_error);
        // A folder is never replaced.
        fs::create_directory(Path("dir.gif"));
        EXPECT_THROW(OpenAnimation(Format, Path("dir.gif"), 256, 256, {}), std::runtime_error);
        fs::remove(Path("dir.gif"));

        // Cancelled, or dropped before it finished.
        auto pWriter = OpenAnimation(Format, Path("keep.gif"), 256, 256, {});
        pWriter->Add(Pictures[0]);
        pWriter->Add(Pictures[1]);
        EXPECT_FALSE(pWriter->Finish([](int, int) { return false; }));
        pWriter.reset();
        pWriter = OpenAnimation(Format, Path("b.gif"), 256, 256, {});
        pWriter->Add(Pictures[0]);
        EXPECT_THROW(pWriter->Add(MovingSquare(0)), std::runtime_error);
        pWriter.reset();
        ExpectOnly({"keep.gif"});
    }

    // The file system refuses the write part-way: no more than 8 KB a file, and pictures
    // that do not compress to that.
    const std::vector<cRGBAPicture> Noisy{Noise(1), Noise(2)};
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit Old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &Old), 0);
    rlimit Small = Old;
    Small.rlim_cur = 8192;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &Small), 0);
    for (eAnimationFormat Format : {eAnimationFormat::Gif, eAnimationFormat::WebP})
    {
        auto pWriter = OpenAnimation(Format, Path("keep.gif"), 256, 256, {});
        for (const cRGBAPicture& Picture : Noisy)
            pWriter->Add(Picture);
        EXPECT_THROW(pWriter->Finish({}), std::runtime_error);
    }
    EXPECT_THROW(WritePng(Path("keep.gif"), Noisy[0], false), std::runtime_error);
    setrlimit(RLIMIT_FSIZE, &Old);
    std::signal(SIGXFSZ, SIG_DFL);
    ExpectOnly({"keep.gif"});
    std::ifstream In(Path("keep.gif"));
    std::string Text;
    In >> Text;
    EXPECT_EQ(Text, "earlier");
}

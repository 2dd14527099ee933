// tessaly-render's animated and turntable output on the sample, with both renderers: the GIF
// and WebP read back with the libraries' decoders hold exactly the PNGs of the same frames
// and views, with the delays and loop asked for; transparency is the model's coverage; and
// bad options and failed writes leave nothing behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/picture/AnimationRead.h"
#include "tests/render/ToolRun.h"
#include "tools/zgen/ZentorGen.h"

namespace fs = std::filesystem;

namespace
{
// The sample's Walk: frames 1..16.
constexpr int WALK_START = 1, WALK_FRAMES = 16;

class cAnimationToolTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        char Template[] = "/tmp/tessaly-animtool-XXXXXX";
        ASSERT_NE(mkdtemp(Template), nullptr);
        Dir = std::string(Template) + "/";
        Script = WriteSample(Dir + "content/").ScriptPath;
    }
    static void TearDownTestSuite() { fs::remove_all(Dir); }
    void SetUp() override
    {
        Out = Dir + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
        fs::create_directories(Out);
    }

    // Runs the tool on the sample at 72 x 80; the run must succeed.
    static void Run(const std::string& Args)
    {
        const cRun Result = RunTool(Out, Script + " --size 72x80 " + Args);
        ASSERT_EQ(Result.Status, 0) << Args << "\n" << Result.Err;
        EXPECT_EQ(Result.Err, "") << Args;
    }

    // The PNG of one frame and view, as RGBA with every pixel opaque.
    static cRGBAPicture Png(const std::string& Args)
    {
        const std::string Path = Out + "one.png";
        Run("-o " + Path + " " + Args);
        cPicture Picture;
        EXPECT_TRUE(ReadPng(Path, Picture)) << Args;
        fs::remove(Path);
        cRGBAPicture Result{Picture.Width, Picture.Height, {}};
        for (std::size_t i = 0; i + 2 < Picture.Rgb.size(); i += 3)
            Result.Rgba.insert(Result.Rgba.end(), {Picture.Rgb[i], Picture.Rgb[i + 1], Picture.Rgb[i + 2], 255});
        return Result;
    }

    static cReadAnimation Read(const std::string& Path)
    {
        cReadAnimation Animation;
        const bool bRead = Path.back() == 'f' ? ReadGif(Path, Animation) : ReadWebP(Path, Animation);
        EXPECT_TRUE(bRead) << Path;
        return Animation;
    }

    // The files in Out but the tool's own output captures.
    static std::vector<std::string> Written()
    {
        std::vector<std::string> Names;
        for (const fs::directory_entry& Entry : fs::directory_iterator(Out))
            if (Entry.path().filename() != "out.txt" && Entry.path().filename() != "err.txt")
                Names.push_back(Entry.path().filename().string());
        std::sort(Names.begin(), Names.end());
        return Names;
    }

    static std::string Dir, Script, Out;
};
std::string cAnimationToolTest::Dir, cAnimationToolTest::Script, cAnimationToolTest::Out;
}  // namespace

TEST_F(cAnimationToolTest, SequenceAnimationsHoldTheSequencePngsWithTheirTiming)
{
    for (const char* pszRenderer : {"gl", "d3d"})
    {
        SCOPED_TRACE(pszRenderer);
        const std::string Renderer = std::string(" --renderer ") + pszRenderer;
        Run("--sequence Walk -o " + Out + Renderer);
        Run("--sequence Walk -o " + Out + "w.gif --fps 30" + Renderer);
        Run("--sequence Walk -o " + Out + "w.webp --fps 30" + Renderer);
        const cReadAnimation Gif = Read(Out + "w.gif"), WebP = Read(Out + "w.webp");
        ASSERT_EQ(Gif.Pictures.size(), static_cast<std::size_t>(WALK_FRAMES));
        ASSERT_EQ(WebP.Pictures.size(), static_cast<std::size_t>(WALK_FRAMES));
        int GifTotal = 0, WebPTotal = 0;
        for (int k = 0; k < WALK_FRAMES; ++k)
        {
            char Name[32];
            std::snprintf(Name, sizeof Name, "Walk_%04d.png", k);
            cPicture Png;
            ASSERT_TRUE(ReadPng(Out + Name, Png));
            cRGBAPicture Want{Png.Width, Png.Height, {}};
            for (std::size_t i = 0; i + 2 < Png.Rgb.size(); i += 3)
                Want.Rgba.insert(Want.Rgba.end(), {Png.Rgb[i], Png.Rgb[i + 1], Png.Rgb[i + 2], 255});
            // The sample has fewer than 256 colours: the GIF is exact too.
            EXPECT_EQ(Gif.Pictures[static_cast<std::size_t>(k)].Rgba, Want.Rgba) << "GIF picture " << k;
            EXPECT_EQ(WebP.Pictures[static_cast<std::size_t>(k)].Rgba, Want.Rgba) << "WebP picture " << k;
            GifTotal += Gif.Delays[static_cast<std::size_t>(k)];
            WebPTotal += WebP.Delays[static_cast<std::size_t>(k)];
            EXPECT_NEAR(Gif.Delays[static_cast<std::size_t>(k)], 100.0 / 30, 1.0);
            EXPECT_NEAR(WebP.Delays[static_cast<std::size_t>(k)], 1000.0 / 30, 1.0);
        }
        EXPECT_EQ(GifTotal, 53);     // 16 / 30 s
        EXPECT_EQ(WebPTotal, 533);
        EXPECT_EQ(Gif.LoopCount, 0);
        EXPECT_EQ(WebP.LoopCount, 0);
        // Later pictures store only what changed, and still compose to the whole picture.
        for (std::size_t k = 1; k < Gif.Rects.size(); ++k)
            EXPECT_LT(Gif.Rects[k][2] * Gif.Rects[k][3], 72 * 80) << k;

        // Without --sequence: one picture of --frame, at the default rate.
        Run("--frame 5 -o " + Out + "f.gif" + Renderer);
        const cReadAnimation Still = Read(Out + "f.gif");
        ASSERT_EQ(Still.Pictures.size(), 1u);
        EXPECT_EQ(Still.Pictures[0].Rgba, Png("--frame 5" + Renderer).Rgba);
    }
}

TEST_F(cAnimationToolTest, TurntablesTurnOnceAtFrameOrWhileTheSequencePlays)
{
    Run("--turntable 4 --angle-y 10 --frame 3 -o " + Out + "t.webp");
    fs::create_directories(Out + "pngs");
    Run("--turntable 4 --angle-y 10 --frame 3 -o " + Out + "pngs");
    const cReadAnimation Turn = Read(Out + "t.webp");
    ASSERT_EQ(Turn.Pictures.size(), 4u);
    EXPECT_EQ(Turn.Delays, (std::vector<int>{50, 50, 50, 50}));
    for (int k = 0; k < 4; ++k)
    {
        const cRGBAPicture Want = Png("--frame 3 --angle-y " + std::to_string(10 + 90 * k));
        EXPECT_EQ(Turn.Pictures[static_cast<std::size_t>(k)].Rgba, Want.Rgba) << "picture " << k;
        char Name[32];
        std::snprintf(Name, sizeof Name, "pngs/turntable_%04d.png", k);
        cPicture Folder;
        ASSERT_TRUE(ReadPng(Out + Name, Folder));
        for (std::size_t i = 0; i < Folder.Rgb.size(); ++i)
            ASSERT_EQ(Folder.Rgb[i], Want.Rgba[i / 3 * 4 + i % 3]) << Name;
    }

    // 20 pictures while the 16-frame Walk plays: picture 18 shows frame 1 + 18 % 16 at 324.
    Run("--turntable 20 --sequence Walk -o " + Out + "ts.webp --renderer d3d");
    const cReadAnimation Playing = Read(Out + "ts.webp");
    ASSERT_EQ(Playing.Pictures.size(), 20u);
    EXPECT_EQ(Playing.Pictures[18].Rgba,
              Png("--renderer d3d --frame " + std::to_string(WALK_START + 18 % WALK_FRAMES) + " --angle-y 324").Rgba);
}

TEST_F(cAnimationToolTest, TransparentPixelsAreExactlyThoseTheModelDoesNotCover)
{
    for (const char* pszRenderer : {"gl", "d3d"})
    {
        SCOPED_TRACE(pszRenderer);
        const std::string View = std::string(" --frame 7 --angle-y 30 --renderer ") + pszRenderer;
        // Coverage: the pixels two plain pictures over far-apart backgrounds agree on.
        const cRGBAPicture Green = Png("--background 00ff00" + View), Magenta = Png("--background ff00ff" + View);
        Run("--transparent -o " + Out + "t.png" + View);
        Run("--transparent -o " + Out + "t.gif" + View);
        Run("--transparent -o " + Out + "t.webp" + View);
        cPicture Plain;
        ASSERT_TRUE(ReadPng(Out + "t.png", Plain));   // read as RGB: alpha is checked below
        cReadAnimation Gif = Read(Out + "t.gif"), WebP = Read(Out + "t.webp");
        ASSERT_EQ(Gif.Pictures.size(), 1u);
        ASSERT_EQ(WebP.Pictures.size(), 1u);
        int Covered = 0;
        for (std::size_t i = 0; i < Green.NumPixels(); ++i)
        {
            const std::uint8_t* pGreen = &Green.Rgba[4 * i];
            const bool bCovered = std::equal(pGreen, pGreen + 3, &Magenta.Rgba[4 * i]);
            Covered += bCovered;
            for (const cRGBAPicture* pGot : {&Gif.Pictures[0], &WebP.Pictures[0]})
            {
                const std::uint8_t* p = &pGot->Rgba[4 * i];
                ASSERT_EQ(p[3], bCovered ? 255 : 0) << "pixel " << i;
                if (bCovered)
                {
                    ASSERT_TRUE(std::equal(pGreen, pGreen + 3, p)) << "pixel " << i;
                }
            }
        }
        EXPECT_GT(Covered, 300);
        EXPECT_LT(Covered, 72 * 80 / 2);
        // The PNG carries the same alpha: libpng composes it onto black when read as RGB.
        for (std::size_t i = 0; i < Green.NumPixels(); ++i)
        {
            const bool bCovered = std::equal(&Green.Rgba[4 * i], &Green.Rgba[4 * i] + 3, &Magenta.Rgba[4 * i]);
            for (std::size_t c = 0; c < 3; ++c)
                ASSERT_EQ(Plain.Rgb[3 * i + c], bCovered ? Green.Rgba[4 * i + c] : 0) << "pixel " << i;
        }
    }
}

TEST_F(cAnimationToolTest, BadOptionsAndFailedWritesLeaveNothingBehind)
{
    for (const char* pszArgs :
         {"-o x.gif --fps 0", "-o x.gif --fps 61", "-o x.webp --fps ten", "-o x.gif --turntable 1",
          "-o x.gif --turntable 721", "-o x.webp --quality 101", "-o x.gif --quality 50",
          "-o x.webp --dither", "-o x.png --fps 10", "-o x.gif --transparent --background 000000"})
    {
        const cRun Result = RunTool(Out, Script + " " + pszArgs);
        EXPECT_EQ(Result.Status, 2) << pszArgs;
        EXPECT_NE(Result.Err.find("usage:"), std::string::npos) << pszArgs;
    }
    for (const char* pszOut : {"x.jpg", "x"})
    {
        const cRun Result = RunTool(Out, Script + " -o " + Out + pszOut);
        EXPECT_EQ(Result.Status, 2) << pszOut;
        EXPECT_NE(Result.Err.find(".png, .gif or .webp"), std::string::npos) << Result.Err;
    }

    // A folder that is not there: nothing is drawn, the reason is given.
    const cRun Missing = RunTool(Out, Script + " --sequence Walk -o " + Out + "none/w.gif");
    EXPECT_EQ(Missing.Status, 1);
    EXPECT_NE(Missing.Err.find("cannot write " + Out + "none/w.gif"), std::string::npos) << Missing.Err;

    // The file system takes no more than 16 KB a file: each output fails part-way, and the
    // PNG folder loses the pictures it had already written.
    const std::string Limited = "trap '' XFSZ; ulimit -f 16;";
    for (const char* pszArgs : {"-o w.gif --square 600", "-o w.webp --square 600", "-o w.png --square 600",
                                "-o pngs --square 600 --renderer d3d"})
    {
        fs::create_directories(Out + "pngs");
        const cRun Result = RunTool(Out, Script + " --sequence Walk " + std::string(pszArgs)
                                                                             .replace(3, 0, Out),
                                    Limited);
        EXPECT_EQ(Result.Status, 1) << pszArgs;
        EXPECT_NE(Result.Err.find("cannot write " + Out), std::string::npos) << Result.Err;
        EXPECT_TRUE(fs::is_empty(Out + "pngs")) << pszArgs;
        fs::remove(Out + "pngs");
    }
    EXPECT_EQ(Written(), std::vector<std::string>{});
}

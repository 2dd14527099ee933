// tessaly-render with the Direct3D renderer on the bundled sample: the device choice, the
// display depths, and agreement with the OpenGL renderer's pictures of the same view.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/common/TempFolder.h"
#include "tests/render/ToolRun.h"
#include "tools/zgen/ZentorGen.h"

namespace
{
// Pixels that differ from the top-left corner, which the figure never covers. Empty for a
// picture that was not written.
std::vector<bool> Foreground(const cPicture& Picture)
{
    std::vector<bool> Mask(static_cast<std::size_t>(Picture.Width) * Picture.Height);
    if (Mask.empty() || Picture.Rgb.size() != 3 * Mask.size())
        return {};
    const std::vector<int> Background = Picture.At(0, 0);
    for (int Y = 0; Y < Picture.Height; ++Y)
        for (int X = 0; X < Picture.Width; ++X)
            Mask[static_cast<std::size_t>(Y) * Picture.Width + X] = Picture.At(X, Y) != Background;
    return Mask;
}

double IntersectionOverUnion(const std::vector<bool>& A, const std::vector<bool>& B)
{
    if (A.size() != B.size())
        return 0.0;
    std::size_t Both = 0, Either = 0;
    for (std::size_t i = 0; i < A.size(); ++i)
    {
        Both += A[i] && B[i];
        Either += A[i] || B[i];
    }
    return Either ? static_cast<double>(Both) / static_cast<double>(Either) : 0.0;
}

// Where both pictures show the model: the median of the largest channel difference, and the
// share of pixels whose channels all lie within Tolerance.
struct cColourAgreement
{
    int Median = 0;
    double ShareWithin = 0;
};

cColourAgreement CompareColours(const cPicture& A, const cPicture& B, int Tolerance)
{
    const std::vector<bool> MaskA = Foreground(A), MaskB = Foreground(B);
    cColourAgreement Result;
    if (MaskA.empty() || MaskA.size() != MaskB.size())
        return Result;
    std::vector<int> Distances;
    for (int Y = 0; Y < A.Height; ++Y)
        for (int X = 0; X < A.Width; ++X)
        {
            if (!MaskA[static_cast<std::size_t>(Y) * A.Width + X] ||
                !MaskB[static_cast<std::size_t>(Y) * A.Width + X])
                continue;
            const std::vector<int> PixelA = A.At(X, Y), PixelB = B.At(X, Y);
            int Distance = 0;
            for (int Channel = 0; Channel < 3; ++Channel)
                Distance = std::max(Distance, std::abs(PixelA[Channel] - PixelB[Channel]));
            Distances.push_back(Distance);
        }
    if (Distances.empty())
        return Result;
    const std::size_t Within = static_cast<std::size_t>(std::count_if(
        Distances.begin(), Distances.end(), [Tolerance](int D) { return D <= Tolerance; }));
    std::nth_element(Distances.begin(), Distances.begin() + Distances.size() / 2, Distances.end());
    Result.Median = Distances[Distances.size() / 2];
    Result.ShareWithin = static_cast<double>(Within) / static_cast<double>(Distances.size());
    return Result;
}

// Mean red minus mean blue of the model's pixels in the rows From..To (fractions of the
// model's height, from its top): skin is positive, the figure's denim trousers negative.
double RedOverBlue(const cPicture& Picture, double From, double To)
{
    const std::vector<bool> Mask = Foreground(Picture);
    if (Mask.empty())
        return 0.0;
    int Top = Picture.Height, Bottom = -1;
    for (int Y = 0; Y < Picture.Height; ++Y)
        for (int X = 0; X < Picture.Width; ++X)
            if (Mask[static_cast<std::size_t>(Y) * Picture.Width + X])
            {
                Top = std::min(Top, Y);
                Bottom = std::max(Bottom, Y);
            }
    double Sum = 0;
    int Count = 0;
    const int Height = Bottom - Top + 1;
    const int FirstRow = Top + static_cast<int>(From * Height);
    for (int Y = FirstRow; Y < Top + static_cast<int>(To * Height); ++Y)
        for (int X = 0; X < Picture.Width; ++X)
            if (Mask[static_cast<std::size_t>(Y) * Picture.Width + X])
            {
                const std::vector<int> Pixel = Picture.At(X, Y);
                Sum += Pixel[0] - Pixel[2];
                ++Count;
            }
    return Count ? Sum / Count : 0.0;
}

// The renderers cover the same pixels of the sample today (overlap 1.0); one renderer's picture
// moved by a single pixel row overlaps the other's by 0.982 to 0.991, which must fail.
constexpr double PARITY_OVERLAP = 0.998;

class cD3DToolTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        Folder = std::make_unique<cTempFolder>("tessaly-d3dtool");
        Dir = Folder->Path() + "/";
        Script = WriteSample(Dir).ScriptPath;
    }
    static void TearDownTestSuite() { Folder.reset(); }

    // Renders the sample into Dir/Name with Args; the run must succeed.
    static cPicture Render(const std::string& Name, const std::string& Args)
    {
        const cRun Run = RunTool(Dir, Script + " -o " + Dir + Name + " " + Args);
        EXPECT_EQ(Run.Status, 0) << Args << "\n" << Run.Err;
        cPicture Picture;
        EXPECT_TRUE(ReadPng(Dir + Name, Picture)) << Args;
        return Picture;
    }

    static std::unique_ptr<cTempFolder> Folder;
    static std::string Dir, Script;
};
std::unique_ptr<cTempFolder> cD3DToolTest::Folder;
std::string cD3DToolTest::Dir, cD3DToolTest::Script;
}  // namespace

TEST_F(cD3DToolTest, EveryDeviceDrawsAndAMissingOneIsNamedWithTheOffer)
{
    for (const char* pszDevice : {"0", "1", "2"})
    {
        const cPicture Picture = Render(std::string("device") + pszDevice + ".png",
                                        std::string("--renderer d3d --size 320x240 --device ") +
                                            pszDevice);
        ASSERT_EQ(Picture.Width, 320);
        ASSERT_EQ(Picture.Height, 240);
        const std::vector<bool> Mask = Foreground(Picture);
        const auto Covered = std::count(Mask.begin(), Mask.end(), true);
        EXPECT_GT(Covered, 320 * 240 / 20) << "device " << pszDevice;
    }

    const cRun Missing = RunTool(Dir, Script + " -o " + Dir + "none.png --renderer d3d --device 3");
    EXPECT_EQ(Missing.Status, 1);
    for (const char* pszName :
         {"no Direct3D device 3", "0  Software RGB Renderer", "1  Software Mono Renderer",
          "2  Compact RGB Renderer"})
        EXPECT_NE(Missing.Err.find(pszName), std::string::npos) << pszName << "\n" << Missing.Err;
    EXPECT_FALSE(std::filesystem::exists(Dir + "none.png"));
    EXPECT_EQ(RunTool(Dir, Script + " -o " + Dir + "none.png --renderer d3d --device -1").Status,
              1);

    // The compact device stops at 640 x 480; the viewer's fallback to the default device
    // would be a picture of another device than the one asked for.
    const cRun TooBig =
        RunTool(Dir, Script + " -o " + Dir + "none.png --renderer d3d --device 2 --size 800x600");
    EXPECT_EQ(TooBig.Status, 1);
    EXPECT_NE(TooBig.Err.find("Error: Unable to resize window using this device."),
              std::string::npos)
        << TooBig.Err;
    EXPECT_FALSE(std::filesystem::exists(Dir + "none.png"));
}

TEST_F(cD3DToolTest, EveryDisplayDepthShowsTheUprightTexturedFigure)
{
    const cPicture Reference = Render("depth24.png", "--renderer d3d --depth 24");
    // Without --depth the viewer sees the window system's display, which is 24 bits.
    EXPECT_EQ(Render("depthdefault.png", "--renderer d3d").Rgb, Reference.Rgb);
    for (const char* pszDepth : {"16", "24", "32"})
    {
        const cPicture Picture = Render(std::string("depth") + pszDepth + ".png",
                                        std::string("--renderer d3d --depth ") + pszDepth);
        const double Head = RedOverBlue(Picture, 0.02, 0.12);
        const double Legs = RedOverBlue(Picture, 0.60, 0.85);
        std::printf("depth %s: head red-blue %.1f, legs red-blue %.1f\n", pszDepth, Head, Legs);
        EXPECT_GT(Head, 40.0) << pszDepth;
        EXPECT_LT(Legs, -40.0) << pszDepth;
        EXPECT_GE(IntersectionOverUnion(Foreground(Picture), Foreground(Reference)), 0.999)
            << pszDepth;
        // 16 bits keep five bits of each texture channel.
        const cColourAgreement Colours = CompareColours(Picture, Reference, 8);
        EXPECT_GE(Colours.ShareWithin, 0.99) << pszDepth;
    }
    const cRun Run = RunTool(Dir, Script + " -o " + Dir + "warn.png --renderer d3d --depth 32");
    EXPECT_NE(Run.Err.find("Warning: Tessaly supports D3D mode only on displays"),
              std::string::npos)
        << Run.Err;
}

TEST_F(cD3DToolTest, BothRenderersAgreeOnTheSampleFigure)
{
    const std::pair<int, int> Angles[] = {{0, 0}, {30, 0}, {0, 30}, {30, 30}, {135, -20}};
    for (int Frame : {0, 5})
        for (const auto& [AngleY, AngleX] : Angles)
        {
            const std::string View = "--frame " + std::to_string(Frame) + " --angle-y " +
                                     std::to_string(AngleY) + " --angle-x " +
                                     std::to_string(AngleX) + " --filter all";
            const cPicture GL = Render("agree-gl.png", View + " --renderer gl");
            const cPicture D3D = Render("agree-d3d.png", View + " --renderer d3d");
            const double IoU = IntersectionOverUnion(Foreground(GL), Foreground(D3D));
            const cColourAgreement Colours = CompareColours(GL, D3D, 24);
            std::printf("frame %d angles (%d, %d): IoU %.6f, colour median %d, within 24: %.3f\n",
                        Frame, AngleY, AngleX, IoU, Colours.Median, Colours.ShareWithin);
            EXPECT_GE(IoU, PARITY_OVERLAP) << View;
            EXPECT_LE(Colours.Median, 8) << View;
            EXPECT_GE(Colours.ShareWithin, 0.9) << View;
        }
    // Untextured, the renderers light the model each their own way; the outline stays.
    const std::string Untextured = "--angle-y 30 --textures off --background 203040";
    const double IoU =
        IntersectionOverUnion(Foreground(Render("plain-gl.png", Untextured)),
                              Foreground(Render("plain-d3d.png", Untextured + " --renderer d3d")));
    std::printf("textures off, angles (30, 0): IoU %.6f\n", IoU);
    EXPECT_GE(IoU, PARITY_OVERLAP);
}

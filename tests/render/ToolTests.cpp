// tessaly-render run as a program on crafted models: the PNG it writes with either renderer,
// the sequence pictures, the --info summary, quiet and verbose runs, the load errors, the
// command line and the frame budget's environment setting.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/render/TestModel.h"
#include "tests/render/ToolRun.h"

namespace
{
// Leaves the GL library without an EGL driver, as on a system with no OpenGL.
const char* const NO_EGL = "__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent/egl.json";

class cToolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        cTestModel Model;
        for (int Frame = 0; Frame < 3; ++Frame)
        {
            Model.Frames.emplace_back();
            AddQuad(Model.Frames.back(), Frame * 10, 0, 0, 30, 0, 0);
            AddDepthAnchors(Model.Frames.back(), 50);
        }
        Model.Textures.push_back({0, {255, 0, 0}, {0, 0, 255}});
        Model.Sequences.push_back({"Slide", 1, 2});
        mScript = WriteTestModel(Model);
        mOut = std::filesystem::path(mScript).parent_path().string() + "/";
    }
    void TearDown() override { RemoveTestModels(); }

    // The 96 x 64 picture of frame 0 at Path: the texture's red half above, its blue half
    // below, and Background in the corner.
    static void ExpectFrameZeroPicture(const std::string& Path, const std::vector<int>& Background)
    {
        cPicture Picture;
        ASSERT_TRUE(ReadPng(Path, Picture));
        EXPECT_EQ(Picture.Width, 96);
        EXPECT_EQ(Picture.Height, 64);
        EXPECT_EQ(Picture.At(48, 20), (std::vector<int>{255, 0, 0}));
        EXPECT_EQ(Picture.At(48, 44), (std::vector<int>{0, 0, 255}));
        EXPECT_EQ(Picture.At(2, 2), Background);
    }

    std::string mScript, mOut;
};
}

TEST_F(cToolTest, WritesTheFramePictureAsPng)
{
    const cRun Run = RunTool(mOut, mScript + " -o " + mOut + "f0.png --size 96x64 --background 00ff00");
    ASSERT_EQ(Run.Status, 0) << Run.Err;
    // The chooser's byte 255 clears to 255/256, which reads back as 254.
    ExpectFrameZeroPicture(mOut + "f0.png", {0, 254, 0});

    // A picture that cannot be stored is a failure, even when it fits in the write buffer:
    // here the file system takes 1 KB a file (room for the message), the picture needs 2.8.
    const cRun Full = RunTool(mOut, mScript + " -o " + mOut + "full.png --size 800x800",
                              "trap '' XFSZ; ulimit -f 2;");
    EXPECT_EQ(Full.Status, 1);
    EXPECT_NE(Full.Err.find("cannot write " + mOut + "full.png"), std::string::npos) << Full.Err;
    EXPECT_FALSE(std::filesystem::exists(mOut + "full.png"));
}

TEST_F(cToolTest, SequenceWritesOnePicturePerFrame)
{
    const cRun Run = RunTool(mOut, mScript + " --sequence Slide -o " + mOut + " --size 64x64");
    ASSERT_EQ(Run.Status, 0) << Run.Err;
    cPicture First, Second;
    ASSERT_TRUE(ReadPng(mOut + "Slide_0000.png", First));
    ASSERT_TRUE(ReadPng(mOut + "Slide_0001.png", Second));
    EXPECT_FALSE(std::filesystem::exists(mOut + "Slide_0002.png"));
    // Frame 2's quad sits further right than frame 1's.
    EXPECT_NE(First.Rgb, Second.Rgb);
    EXPECT_EQ(First.At(7, 32), (std::vector<int>{0, 0, 0}));

    EXPECT_EQ(RunTool(mOut, mScript + " --sequence Missing -o " + mOut).Status, 1);
}

TEST_F(cToolTest, InfoPrintsTheModelSummaryAsJson)
{
    const cRun Run = RunTool(mOut, mScript + " --info");
    ASSERT_EQ(Run.Status, 0) << Run.Err;
    for (const char* pszPart :
         {"\"frames\": 3,", "\"triangles\": 4,", "\"vertices\": 12,",
          "\"mapped_texture_numbers\": [0],", "\"mapped_texture_slots\": 1,",
          "{\"name\": \"Slide\", \"start\": 1, \"frames\": 2}", "\"scale\": [1, 1, 1],",
          "\"frame0_bounds\": {\"min\": [-30, -30, -50], \"max\": [30, 30, 50]}"})
        EXPECT_NE(Run.Out.find(pszPart), std::string::npos) << pszPart << "\n" << Run.Out;
    // Only the JSON on stdout: the import's lines went elsewhere.
    EXPECT_EQ(Run.Out.front(), '{');
}

TEST_F(cToolTest, Direct3DDrawsTheSamePicturesWithoutOpenGL)
{
    const std::string Args = " -o " + mOut + "d0.png --size 96x64 --background 3366cc";
    EXPECT_EQ(RunTool(mOut, mScript + Args, NO_EGL).Status, 1);
    const cRun Run = RunTool(mOut, mScript + Args + " --renderer d3d", NO_EGL);
    ASSERT_EQ(Run.Status, 0) << Run.Err;
    ExpectFrameZeroPicture(mOut + "d0.png", {0x33, 0x66, 0xcc});

    const cRun Sequence = RunTool(
        mOut, mScript + " --renderer d3d --sequence Slide -o " + mOut + " --size 64x64", NO_EGL);
    ASSERT_EQ(Sequence.Status, 0) << Sequence.Err;
    cPicture First, Second;
    ASSERT_TRUE(ReadPng(mOut + "Slide_0000.png", First));
    ASSERT_TRUE(ReadPng(mOut + "Slide_0001.png", Second));
    EXPECT_FALSE(std::filesystem::exists(mOut + "Slide_0002.png"));
    EXPECT_NE(First.Rgb, Second.Rgb);
    EXPECT_EQ(First.At(7, 32), (std::vector<int>{0, 0, 0}));
}

TEST_F(cToolTest, LoadErrorsPrintTheViewerMessage)
{
    for (const char* pszRenderer : {"gl", "d3d"})
    {
        const std::string Renderer = std::string(" --renderer ") + pszRenderer;
        const cRun Missing = RunTool(mOut, mOut + "Nothing.zc -o " + mOut + "x.png" + Renderer);
        EXPECT_EQ(Missing.Status, 1) << pszRenderer;
        EXPECT_NE(Missing.Err.find("Can't open file " + mOut + "Nothing.zc"), std::string::npos)
            << Missing.Err;

        std::ofstream(mOut + "Empty.zc") << "class Empty;\n";
        const cRun NoMesh = RunTool(mOut, mOut + "Empty.zc -o " + mOut + "x.png" + Renderer);
        EXPECT_EQ(NoMesh.Status, 1) << pszRenderer;
        EXPECT_NE(NoMesh.Err.find("Error: The file " + mOut +
                                  "Empty.zc does not contain any mesh information."),
                  std::string::npos)
            << NoMesh.Err;
        EXPECT_FALSE(std::filesystem::exists(mOut + "x.png")) << pszRenderer;
    }
}

TEST_F(cToolTest, QuietOnSuccessLoadLinesWithVerbose)
{
    for (const char* pszRenderer : {"gl", "d3d"})
    {
        const std::string Args = mScript + " -o " + mOut + "q.png --square 40 --renderer " +
                                 pszRenderer;
        const cRun Quiet = RunTool(mOut, Args);
        ASSERT_EQ(Quiet.Status, 0) << Quiet.Err;
        EXPECT_EQ(Quiet.Out, "") << pszRenderer;
        EXPECT_EQ(Quiet.Err, "") << pszRenderer;
        cPicture Picture;
        ASSERT_TRUE(ReadPng(mOut + "q.png", Picture));
        EXPECT_EQ(Picture.Width, 40);
        EXPECT_EQ(Picture.Height, 40);

        const cRun Verbose = RunTool(mOut, Args + " --verbose");
        ASSERT_EQ(Verbose.Status, 0) << Verbose.Err;
        EXPECT_NE(Verbose.Out.find("Found animseq Slide"), std::string::npos) << Verbose.Out;
    }
    // With --info the JSON alone is on stdout; --verbose puts the load lines on stderr.
    const cRun Info = RunTool(mOut, mScript + " --info");
    EXPECT_EQ(Info.Err, "");
    const cRun VerboseInfo = RunTool(mOut, mScript + " --info --verbose");
    EXPECT_EQ(VerboseInfo.Out, Info.Out);
    EXPECT_NE(VerboseInfo.Err.find("Found animseq Slide"), std::string::npos) << VerboseInfo.Err;
}

TEST_F(cToolTest, CommandLineErrorsAndHelp)
{
    const cRun Help = RunTool(mOut, "--help");
    EXPECT_EQ(Help.Status, 0);
    EXPECT_EQ(Help.Out.rfind("usage: tessaly-render", 0), 0u) << Help.Out;
    EXPECT_NE(Help.Out.find("--renderer gl|d3d"), std::string::npos);
    const cRun Version = RunTool(mOut, "--version");
    EXPECT_EQ(Version.Status, 0);
    EXPECT_EQ(Version.Out.rfind("tessaly-render (Tessaly v", 0), 0u) << Version.Out;

    for (const char* pszArgs : {"--filter sideways", "--renderer vulkan", "--device 1",
                                "--renderer d3d --depth 8", "--depth 16", "--bogus 1",
                                "--square 0", "--square 8193"})
    {
        const cRun Run = RunTool(mOut, mScript + " -o " + mOut + "x.png " + pszArgs);
        EXPECT_EQ(Run.Status, 2) << pszArgs;
        EXPECT_NE(Run.Err.find("usage:"), std::string::npos) << pszArgs;
    }
}

TEST_F(cToolTest, FrameBudgetFromTheEnvironmentAndOneWarningForABadValue)
{
    const std::string Args = mScript + " --sequence Slide --size 64x64 -o ";
    const cRun Plain = RunTool(mOut, Args + mOut);
    ASSERT_EQ(Plain.Status, 0) << Plain.Err;
    cPicture Expected;
    ASSERT_TRUE(ReadPng(mOut + "Slide_0001.png", Expected));

    const std::string Small = mOut + "small/", Bad = mOut + "bad/";
    std::filesystem::create_directories(Small);
    std::filesystem::create_directories(Bad);
    const cRun SmallRun = RunTool(mOut, Args + Small, "TESSALY_FRAME_BUDGET_MB=1");
    ASSERT_EQ(SmallRun.Status, 0) << SmallRun.Err;
    EXPECT_EQ(SmallRun.Err, "");
    const cRun BadRun = RunTool(mOut, Args + Bad, "TESSALY_FRAME_BUDGET_MB=lots");
    ASSERT_EQ(BadRun.Status, 0) << BadRun.Err;
    EXPECT_EQ(BadRun.Err,
              "TESSALY_FRAME_BUDGET_MB=lots is not a whole number of MiB from 1 to 1048576; "
              "using 128 MiB for prepared frames\n");
    for (const std::string& Dir : {Small, Bad})
    {
        cPicture Picture;
        ASSERT_TRUE(ReadPng(Dir + "Slide_0001.png", Picture)) << Dir;
        EXPECT_EQ(Picture.Rgb, Expected.Rgb) << Dir;
    }
}

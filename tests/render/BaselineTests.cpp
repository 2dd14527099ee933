// tessaly-render's pictures compared with the stored baselines in tests/render/expected/: the
// bundled sample and a generated model with every polygon type, at several views, with both
// renderers and every Direct3D device and display depth. Our own software device must match
// byte for byte; Mesa's OpenGL may differ by a little in a few pixels (see the tolerance below).
// With TESSALY_UPDATE_BASELINES=1 the run stores its pictures as the new baselines instead
// (scripts/update-baselines.sh).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include "tests/common/TempFolder.h"
#include "tests/render/ToolRun.h"
#include "tools/zgen/ZentorGen.h"

namespace
{
// Mesa's tolerance: a pixel differs when any channel is off by more than this...
constexpr int GL_CHANNEL_TOLERANCE = 6;
// ...and a picture fails when more than this share of its pixels differ. A rounding change in
// a Mesa update touches a handful of edge pixels; a shift of the view by one unit changes far
// more than this along the model's whole outline.
constexpr double GL_DIFFERING_SHARE = 0.002;

enum eModel
{
    MODEL_SAMPLE,  // the bundled figure
    MODEL_TYPES    // a generated mesh whose triangles take every polygon type in turn
};

// The generated mesh is some 600 units across; from this far back it shows whole.
const char* const TYPES_VIEW = "--offset-z -700 ";

struct cBaseline
{
    const char* pszName;  // the stored picture is expected/<name>.png
    eModel Model;
    const char* pszArgs;  // tessaly-render's options besides the script and output
};

// Names a case in the test's messages.
void PrintTo(const cBaseline& Case, std::ostream* pOut)
{
    *pOut << Case.pszName;
}

const cBaseline BASELINES[] = {
    {"gl_sample_front", MODEL_SAMPLE, "--renderer gl"},
    {"gl_sample_turned", MODEL_SAMPLE, "--renderer gl --angle-y 35 --angle-x 20"},
    {"gl_sample_moved", MODEL_SAMPLE, "--renderer gl --offset-y 20 --offset-z -40"},
    {"gl_sample_untextured", MODEL_SAMPLE, "--renderer gl --angle-y 30 --textures off"},
    {"gl_sample_background", MODEL_SAMPLE, "--renderer gl --background 3366cc"},
    {"gl_sample_frame20", MODEL_SAMPLE, "--renderer gl --frame 20 --angle-y -40"},
    {"gl_types_all", MODEL_TYPES, "--renderer gl --angle-y 25 --angle-x 15"},
    {"gl_types_translucent", MODEL_TYPES, "--renderer gl --angle-y 25 --filter translucent"},
    {"gl_types_masked", MODEL_TYPES, "--renderer gl --angle-y 25 --filter masked"},
    {"gl_types_twosided", MODEL_TYPES, "--renderer gl --angle-y 25 --filter two-sided"},
    {"gl_types_placeholder", MODEL_TYPES, "--renderer gl --angle-y 25 --filter placeholder"},
    {"d3d_sample_front", MODEL_SAMPLE, "--renderer d3d"},
    {"d3d_sample_turned", MODEL_SAMPLE, "--renderer d3d --angle-y 35 --angle-x 20"},
    {"d3d_sample_moved", MODEL_SAMPLE, "--renderer d3d --offset-y 20 --offset-z -40"},
    {"d3d_sample_untextured", MODEL_SAMPLE, "--renderer d3d --angle-y 30 --textures off"},
    {"d3d_sample_background", MODEL_SAMPLE, "--renderer d3d --background 3366cc"},
    {"d3d_sample_frame20", MODEL_SAMPLE, "--renderer d3d --frame 20 --angle-y -40"},
    {"d3d_sample_mono", MODEL_SAMPLE, "--renderer d3d --device 1 --angle-y 35"},
    {"d3d_sample_compact", MODEL_SAMPLE, "--renderer d3d --device 2 --angle-y 35"},
    {"d3d_sample_depth16", MODEL_SAMPLE, "--renderer d3d --depth 16 --angle-y 35"},
    {"d3d_sample_depth32", MODEL_SAMPLE, "--renderer d3d --depth 32 --angle-y 35"},
    {"d3d_types_all", MODEL_TYPES, "--renderer d3d --angle-y 25 --angle-x 15"},
    {"d3d_types_translucent", MODEL_TYPES, "--renderer d3d --angle-y 25 --filter translucent"},
    {"d3d_types_masked", MODEL_TYPES, "--renderer d3d --angle-y 25 --filter masked"},
    {"d3d_types_twosided", MODEL_TYPES, "--renderer d3d --angle-y 25 --filter two-sided"},
    {"d3d_types_placeholder", MODEL_TYPES, "--renderer d3d --angle-y 25 --filter placeholder"},
    {"d3d_types_mono", MODEL_TYPES, "--renderer d3d --device 1 --textures off --angle-y 25"},
    {"d3d_types_compact", MODEL_TYPES, "--renderer d3d --device 2 --angle-y 25"},
};

// How two pictures of the same size differ: the largest channel difference, and how many
// pixels have a channel off by more than Tolerance.
struct cDifference
{
    int Largest = 0;
    int Differing = 0;
};

// Compares Actual with Expected and fills Diff with a picture of the result: differing pixels
// red, the others a dim grey copy of Actual.
cDifference Compare(const cPicture& Actual, const cPicture& Expected, int Tolerance,
                    cPicture& Diff)
{
    cDifference Result;
    Diff = Actual;
    for (std::size_t Pixel = 0; Pixel < Actual.Rgb.size(); Pixel += 3)
    {
        int Largest = 0;
        for (std::size_t Channel = Pixel; Channel < Pixel + 3; ++Channel)
            Largest = std::max(Largest, std::abs(Actual.Rgb[Channel] - Expected.Rgb[Channel]));
        Result.Largest = std::max(Result.Largest, Largest);
        const bool bDiffers = Largest > Tolerance;
        Result.Differing += bDiffers;
        const int Grey =
            (Actual.Rgb[Pixel] + Actual.Rgb[Pixel + 1] + Actual.Rgb[Pixel + 2]) / 12;
        Diff.Rgb[Pixel] = static_cast<std::uint8_t>(bDiffers ? 255 : Grey);
        Diff.Rgb[Pixel + 1] = static_cast<std::uint8_t>(bDiffers ? 0 : Grey);
        Diff.Rgb[Pixel + 2] = static_cast<std::uint8_t>(bDiffers ? 0 : Grey);
    }
    return Result;
}

class cBaselineTest : public ::testing::TestWithParam<cBaseline>
{
protected:
    static void SetUpTestSuite()
    {
        Folder = std::make_unique<cTempFolder>("tessaly-baseline");
        SampleScript = WriteSample(Folder->Path() + "/sample").ScriptPath;
        cGenParams Params;
        Params.Name = "Types";
        Params.NumFrames = 4;
        Params.NumTris = 60;
        Params.NumVertices = 48;
        Params.NumTextures = 3;
        Params.TypeMix = {0, 2, 3, 4, 8, 0x21, 0x13};
        TypesScript = WriteModel(Folder->Path() + "/types", Params).ScriptPath;
    }
    static void TearDownTestSuite() { Folder.reset(); }

    static std::unique_ptr<cTempFolder> Folder;
    static std::string SampleScript, TypesScript;
};
std::unique_ptr<cTempFolder> cBaselineTest::Folder;
std::string cBaselineTest::SampleScript, cBaselineTest::TypesScript;
}  // namespace

TEST_P(cBaselineTest, MatchesTheStoredPicture)
{
    const cBaseline& Case = GetParam();
    const std::string Dir = Folder->Path() + "/";
    const std::string Actual = Dir + Case.pszName + ".png";
    const std::string Model =
        Case.Model == MODEL_SAMPLE ? SampleScript : TypesScript + " " + TYPES_VIEW;
    const cRun Run = RunTool(Dir, Model + " -o " + Actual + " --size 160x160 " + Case.pszArgs);
    ASSERT_EQ(Run.Status, 0) << Case.pszArgs << "\n" << Run.Err;

    const std::string Expected = std::string(TESSALY_BASELINE_DIR) + "/" + Case.pszName + ".png";
    const char* pszUpdate = std::getenv("TESSALY_UPDATE_BASELINES");
    if (pszUpdate && std::string(pszUpdate) == "1")
    {
        std::filesystem::copy_file(Actual, Expected,
                                   std::filesystem::copy_options::overwrite_existing);
        std::printf("stored %s\n", Expected.c_str());
        return;
    }

    cPicture Picture, Stored;
    ASSERT_TRUE(ReadPng(Actual, Picture));
    ASSERT_TRUE(ReadPng(Expected, Stored))
        << Expected << " is missing; scripts/update-baselines.sh stores it";
    ASSERT_EQ(Picture.Width, Stored.Width);
    ASSERT_EQ(Picture.Height, Stored.Height);

    const bool bOpenGL = std::string(Case.pszName).rfind("gl_", 0) == 0;
    const int Tolerance = bOpenGL ? GL_CHANNEL_TOLERANCE : 0;
    const int Allowed = bOpenGL ? static_cast<int>(GL_DIFFERING_SHARE * Picture.Width *
                                                   Picture.Height)
                                : 0;
    cPicture Diff;
    const cDifference Difference = Compare(Picture, Stored, Tolerance, Diff);
    std::printf("%s: %d pixels off by more than %d (allowed %d), largest channel difference %d\n",
                Case.pszName, Difference.Differing, Tolerance, Allowed, Difference.Largest);
    if (Difference.Differing <= Allowed)
        return;

    // Keep the pictures where a developer can look at them.
    const std::string Out = std::string(TESSALY_BASELINE_OUT) + "/";
    std::filesystem::create_directories(Out);
    std::filesystem::copy_file(Actual, Out + Case.pszName + "-actual.png",
                               std::filesystem::copy_options::overwrite_existing);
    ASSERT_TRUE(WritePng(Out + Case.pszName + "-diff.png", Diff));
    ADD_FAILURE() << Case.pszName << ": " << Difference.Differing << " pixels differ from "
                  << Expected << " (allowed " << Allowed << "); see " << Out << Case.pszName
                  << "-actual.png and " << Out << Case.pszName << "-diff.png (red: differs)";
}

INSTANTIATE_TEST_SUITE_P(Pictures, cBaselineTest, ::testing::ValuesIn(BASELINES),
                         [](const ::testing::TestParamInfo<cBaseline>& Info) {
                             return std::string(Info.param.pszName);
                         });

// tessaly-render run as a program on crafted models: the PNG it writes, the sequence pictures,
// the --info summary and the load error.
#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/render/TestModel.h"

namespace
{
struct cPicture
{
    int Width = 0, Height = 0;
    std::vector<std::uint8_t> Rgb;
    std::vector<int> At(int X, int Y) const
    {
        const std::size_t i = (static_cast<std::size_t>(Y) * Width + X) * 3;
        return {Rgb[i], Rgb[i + 1], Rgb[i + 2]};
    }
};

bool ReadPng(const std::string& Path, cPicture& Picture)
{
    png_image Image{};
    Image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&Image, Path.c_str()))
        return false;
    Image.format = PNG_FORMAT_RGB;
    Picture.Width = static_cast<int>(Image.width);
    Picture.Height = static_cast<int>(Image.height);
    Picture.Rgb.resize(PNG_IMAGE_SIZE(Image));
    return png_image_finish_read(&Image, nullptr, Picture.Rgb.data(), 0, nullptr) != 0;
}

struct cRun
{
    int Status;
    std::string Out, Err;
};

// Runs the program; its output is caught in files under Dir.
cRun RunTool(const std::string& Dir, const std::string& Args)
{
    const std::string OutPath = Dir + "out.txt", ErrPath = Dir + "err.txt";
    const std::string Command = std::string(TESSALY_RENDER_PATH) + " " + Args + " >" + OutPath +
                                " 2>" + ErrPath;
    const int Raw = std::system(Command.c_str());
    auto Slurp = [](const std::string& Path) {
        std::ifstream In(Path);
        std::stringstream Text;
        Text << In.rdbuf();
        return Text.str();
    };
    return {WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1, Slurp(OutPath), Slurp(ErrPath)};
}

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

    std::string mScript, mOut;
};
}

TEST_F(cToolTest, WritesTheFramePictureAsPng)
{
    const cRun Run = RunTool(mOut, mScript + " -o " + mOut + "f0.png --size 96x64 --background 00ff00");
    ASSERT_EQ(Run.Status, 0) << Run.Err;
    cPicture Picture;
    ASSERT_TRUE(ReadPng(mOut + "f0.png", Picture));
    EXPECT_EQ(Picture.Width, 96);
    EXPECT_EQ(Picture.Height, 64);
    EXPECT_EQ(Picture.At(48, 20), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(Picture.At(48, 44), (std::vector<int>{0, 0, 255}));
    // The chooser's byte 255 clears to 255/256, which reads back as 254.
    EXPECT_EQ(Picture.At(2, 2), (std::vector<int>{0, 254, 0}));

    // A picture that cannot be stored is a failure, even when it fits in the write buffer.
    const cRun Full = RunTool(mOut, mScript + " -o /dev/full --size 8x8");
    EXPECT_EQ(Full.Status, 1);
    EXPECT_NE(Full.Err.find("cannot write /dev/full"), std::string::npos) << Full.Err;
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

TEST_F(cToolTest, LoadErrorsPrintTheViewerMessage)
{
    const cRun Missing = RunTool(mOut, mOut + "Nothing.zc -o " + mOut + "x.png");
    EXPECT_EQ(Missing.Status, 1);
    EXPECT_NE(Missing.Err.find("Can't open file " + mOut + "Nothing.zc"), std::string::npos);

    std::ofstream(mOut + "Empty.zc") << "class Empty;\n";
    const cRun NoMesh = RunTool(mOut, mOut + "Empty.zc -o " + mOut + "x.png");
    EXPECT_EQ(NoMesh.Status, 1);
    EXPECT_NE(NoMesh.Err.find("The file " + mOut + "Empty.zc does not contain any mesh information."),
              std::string::npos);

    EXPECT_EQ(RunTool(mOut, mScript + " -o " + mOut + "x.png --filter sideways").Status, 2);
}

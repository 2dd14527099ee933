// Exports that cannot be made: the message, the exit status, and no output left behind.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "tests/export/ExportTestSupport.h"

TEST_F(cExportTest, LoadFailuresExitOneAndWriteNothing)
{
    EXPECT_EQ(Export(Out("missing.zc") + " -o " + Out("m.glb")), 1);
    EXPECT_NE(mStderr.find("Can't open file"), std::string::npos) << mStderr;
    EXPECT_EQ(CountOutputFiles(), 0);

    const cGenResult Gen = WriteMixedModel();
    std::filesystem::resize_file(Gen.DataPath, 30);
    EXPECT_EQ(Export(Gen.ScriptPath + " -o " + Out("m.glb")), 1);
    EXPECT_FALSE(mStderr.empty());
    EXPECT_EQ(CountOutputFiles(), 0);
}

TEST_F(cExportTest, UnwritableOutputLeavesNothingBehind)
{
    const cGenResult Gen = WriteMixedModel();
    // A plain file where the output's folder should be: no user can write below it.
    std::ofstream(Out("folder")) << "x";
    for (const char* pszName : {"folder/m.glb", "folder/m.gltf"})
    {
        EXPECT_EQ(Export(Gen.ScriptPath + " -o " + Out(pszName)), 1);
        EXPECT_NE(mStderr.find(Out(pszName)), std::string::npos) << mStderr;
    }
    EXPECT_EQ(Export(Gen.ScriptPath + " -o " + Out("m.glb") + " --sequence NoSuch"), 1);
    EXPECT_NE(mStderr.find("NoSuch"), std::string::npos);
    EXPECT_EQ(CountOutputFiles(), 1);
}

TEST_F(cExportTest, BadCommandLinesExitTwoWithOneUsageLine)
{
    const cGenResult Gen = WriteMixedModel();
    const std::string Script = Gen.ScriptPath;
    for (const std::string& Args :
         {Script + " -o " + Out("m.glb") + " --fps 0", Script + " -o " + Out("m.glb") + " --fps 61",
          Script + " -o " + Out("m.glb") + " --fps 2x", Script + " -o " + Out("m.glb") + " --bogus",
          Script + " -o " + Out("m.obj"), Script, Script + " -o", std::string("-o ") + Out("m.glb"),
          Script + " " + Script + " -o " + Out("m.glb")})
    {
        SCOPED_TRACE(Args);
        EXPECT_EQ(Export(Args), 2);
        EXPECT_NE(mStderr.find("usage: tessaly-export"), std::string::npos);
        EXPECT_EQ(std::count(mStderr.begin(), mStderr.end(), '\n'), 1);
        EXPECT_EQ(CountOutputFiles(), 0);
    }
    EXPECT_EQ(Export("--help"), 0);
    EXPECT_EQ(Export("--version"), 0);
}

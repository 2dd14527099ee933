// Start-up from the command line: the arguments read, and a script named there opened through
// the loading flow (its window, its error box, the remembered path) before the loop runs.
#include <gtest/gtest.h>

#include <fstream>

#include "app/CommandLine.h"
#include "model/LoadError.h"
#include "model/ZentorMesh.h"
#include "render/ViewState.h"
#include "tests/app/ShellFixture.h"

namespace
{
tCommandLine Parse(std::vector<const char*> Args)
{
    Args.insert(Args.begin(), "tessaly");
    return ParseCommandLine(static_cast<int>(Args.size()), Args.data());
}

TEST(cCommandLineTest, ScriptsOptionsAndUsageErrors)
{
    EXPECT_EQ(Parse({}).Action, eStartAction::Run);
    EXPECT_EQ(Parse({}).Script, "");
    EXPECT_EQ(Parse({"a/B.zc"}).Script, "a/B.zc");
    EXPECT_EQ(Parse({"-h"}).Action, eStartAction::Help);
    // The first of --help and --version wins, wherever the script is.
    EXPECT_EQ(Parse({"B.zc", "--version", "--help"}).Action, eStartAction::Version);
    // After "--" a name that starts with a dash is a script.
    EXPECT_EQ(Parse({"--", "-B.zc"}).Script, "-B.zc");

    EXPECT_EQ(Parse({"B.zc", "--display=:1"}).Action, eStartAction::BadUsage);
    EXPECT_EQ(Parse({""}).Action, eStartAction::BadUsage);
    EXPECT_NE(Parse({"--bogus"}).Error.find("--bogus"), std::string::npos);
    EXPECT_NE(Parse({"A.zc", "B.zc"}).Error.find("B.zc"), std::string::npos);
}

// TessalyMain with a window system whose user presses Escape at 1000 ms.
class cStartupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetViewState();
        ResetShellState();
        mSystem.SetTime(100);
        mSystem.ScheduleInput(1000, WM_KEYDOWN, VK_ESCAPE);
    }
    void TearDown() override { EXPECT_EQ(TheModel, nullptr); }

    cHeadlessWindowSystem mSystem;
};

TEST_F(cStartupTest, ScriptOnTheCommandLineIsOpenedWithoutTheChooser)
{
    const std::string Path = cShellTestAccess::ModelPath("Start", 6, 2);
    // The model is released when the window goes; what it was is seen through the menu.
    EXPECT_EQ(TessalyMain(mSystem, Path.c_str()), 0);
    EXPECT_EQ(View.LastScriptPath, Path);
    EXPECT_TRUE(mSystem.mFileChoosers.empty());
    EXPECT_TRUE(mSystem.mMessageBoxes.empty());
    ASSERT_EQ(mSystem.mDialogs.size(), 1u);
    EXPECT_EQ(mSystem.mDialogs[0].ResourceId, IDD_LOADING);
    EXPECT_FALSE(mSystem.mDialogs[0].bOpen);
    EXPECT_EQ(mSystem.PopupItems(ANIMATIONS_MENU_POSITION).size(), 2u);
    EXPECT_TRUE(mSystem.mWindowDestroyed);
}

TEST_F(cStartupTest, PathOver255CharactersIsOpenedWhole)
{
    std::string Path = cShellTestAccess::TempRoot();
    while (Path.size() < 300)
        Path += "/.";
    Path += cShellTestAccess::ModelPath("Start", 6, 2).substr(cShellTestAccess::TempRoot().size());
    EXPECT_EQ(TessalyMain(mSystem, Path.c_str()), 0);
    EXPECT_EQ(View.LastScriptPath, Path);
    EXPECT_TRUE(mSystem.mMessageBoxes.empty());
}

TEST_F(cStartupTest, BadScriptShowsTheLoadErrorAndTheProgramRunsOn)
{
    const std::string Path = cShellTestAccess::TempRoot() + "/Broken.zc";
    std::ofstream(Path)
        << "#exec MESH IMPORT MESH=Broken ANIVFILE=Nowhere_a.3d DATAFILE=Nowhere_d.3d\n";
    std::string Expected;
    try
    {
        cZentorMesh Mesh(Path.c_str(), true);
    }
    catch (const cLoadError& Error)
    {
        Expected = Error.what();
    }
    ASSERT_FALSE(Expected.empty());

    EXPECT_EQ(TessalyMain(mSystem, Path.c_str()), 0);
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Text, Expected);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Caption, "Error");
    EXPECT_EQ(View.LastScriptPath, Path);
    EXPECT_TRUE(mSystem.mFileChoosers.empty());
    EXPECT_FALSE(mSystem.mDialogs.at(0).bOpen);
    // Escape still ended the loop: the program did not stop at the failure.
    EXPECT_TRUE(mSystem.mWindowDestroyed);
}
}  // namespace

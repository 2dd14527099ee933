// Scripts reached without the Open dialog: files dropped on the window (a script, another file,
// several files), the next and previous script of a folder (mixed-case names, other files, the
// accelerators, which do not tilt the camera), and File > Recent Scripts.
#include "tests/app/ShellFixture.h"

#include <filesystem>
#include <fstream>

#include "render/ViewState.h"

namespace fs = std::filesystem;

namespace
{
using cDropTest = cShellTest;

TEST_F(cDropTest, DroppedScriptOpensThroughTheLoadingFlow)
{
    const std::string Path = Model("Dropped", 3, 2).ScriptPath;
    mSystem.DropFiles({Path});
    Pump();
    ASSERT_NE(TheModel, nullptr);
    EXPECT_EQ(View.LastScriptPath, Path);
    ASSERT_EQ(mSystem.mDialogs.size(), 1u);   // the loading window, closed again
    EXPECT_EQ(mSystem.mDialogs[0].ResourceId, IDD_LOADING);
    EXPECT_FALSE(mSystem.mDialogs[0].bOpen);
    EXPECT_TRUE(mSystem.mFileChoosers.empty());
    EXPECT_EQ(mSystem.PopupItems(ANIMATIONS_MENU_POSITION).size(), 2u);
    ASSERT_EQ(RecentScripts().size(), 1u);
    EXPECT_EQ(RecentScripts()[0], fs::absolute(Path).lexically_normal().string());

    // A script that cannot be read gets the loading flow's own error box.
    mSystem.DropFiles({TempRoot() + "/Gone.ZC"});
    Pump();
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Caption, "Error");
    EXPECT_EQ(View.LastScriptPath, TempRoot() + "/Gone.ZC");
}

TEST_F(cDropTest, AnotherFileIsRefusedAndTheModelStays)
{
    const std::string Path = Model("Stays", 2, 1).ScriptPath;
    Open(Path);
    cZentorMesh* const pModel = TheModel;
    const std::string Notes = TempRoot() + "/notes.txt";
    std::ofstream(Notes) << "not a script\n";
    mSystem.DropFiles({Notes});
    Pump();
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Text, Notes + " is not a class script (.zc).");
    EXPECT_EQ(mSystem.mMessageBoxes[0].Style, static_cast<unsigned>(MB_ICONEXCLAMATION));
    EXPECT_EQ(TheModel, pModel);
    EXPECT_EQ(View.LastScriptPath, Path);
    EXPECT_EQ(mSystem.mDialogs.size(), 1u);   // no second loading window

    // A folder named like a script is no script either.
    fs::create_directories(TempRoot() + "/Folder.zc");
    mSystem.DropFiles({TempRoot() + "/Folder.zc", Notes});
    Pump();
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 2u);
    EXPECT_EQ(mSystem.mMessageBoxes[1].Text, "None of the 2 files dropped is a class script (.zc).");
    EXPECT_EQ(TheModel, pModel);
}

TEST_F(cDropTest, OfSeveralFilesTheFirstScriptIsOpened)
{
    const std::string First = Model("SeveralA", 2, 1).ScriptPath;
    const std::string Second = Model("SeveralB", 4, 3).ScriptPath;
    std::ofstream(TempRoot() + "/readme.md") << "# notes\n";
    mSystem.DropFiles({TempRoot() + "/readme.md", Second, First});
    Pump();
    EXPECT_TRUE(mSystem.mMessageBoxes.empty());
    EXPECT_EQ(View.LastScriptPath, Second);
    EXPECT_EQ(mSystem.PopupItems(ANIMATIONS_MENU_POSITION).size(), 3u);
    EXPECT_EQ(RecentScripts().size(), 1u);
}

// A folder of class scripts under mixed-case names, with files and a folder that are not.
class cFolderTest : public cShellTest
{
protected:
    void SetUp() override
    {
        cShellTest::SetUp();
        const fs::path Script = Model("Folder", 2, 1).ScriptPath;
        mFolder = Script.parent_path();
        for (const char* pszName : {"b.zc", "A.zc", "c.ZC"})
            fs::copy_file(Script, mFolder / pszName, fs::copy_options::overwrite_existing);
        std::ofstream(mFolder / "notes.txt") << "x\n";
        std::ofstream(mFolder / "d.zcx") << "x\n";
        fs::create_directories(mFolder / "e.zc");
        mStart = Script.string();
    }
    std::string At(const char* pszName) const { return (mFolder / pszName).string(); }

    fs::path mFolder;
    std::string mStart;
};

TEST_F(cFolderTest, ScriptsOfTheFolderInNameOrderRegardlessOfCase)
{
    EXPECT_EQ(ClassScriptsIn(mFolder.string()),
              (std::vector<std::string>{"A.zc", "b.zc", "c.ZC", "Folder.zc"}));
    EXPECT_TRUE(IsClassScriptName("x/Y.Zc"));
    EXPECT_FALSE(IsClassScriptName("x.zc/y"));
    EXPECT_TRUE(ClassScriptsIn(TempRoot() + "/no such folder").empty());
}

TEST_F(cFolderTest, NextAndPreviousWrapRoundTheFolder)
{
    Open(mStart);
    Command(IDM_NEXT_SCRIPT);
    EXPECT_EQ(View.LastScriptPath, At("A.zc"));
    EXPECT_NE(TheModel, nullptr);
    Command(IDM_NEXT_SCRIPT);
    EXPECT_EQ(View.LastScriptPath, At("b.zc"));
    Command(IDM_PREVIOUS_SCRIPT);
    Command(IDM_PREVIOUS_SCRIPT);
    EXPECT_EQ(View.LastScriptPath, At("Folder.zc"));
    Command(IDM_PREVIOUS_SCRIPT);
    EXPECT_EQ(View.LastScriptPath, At("c.ZC"));
    EXPECT_TRUE(mSystem.mMessageBoxes.empty());

    // The script shown removed since: its neighbours are those around its place.
    Command(IDM_PREVIOUS_SCRIPT);
    ASSERT_EQ(View.LastScriptPath, At("b.zc"));
    fs::remove(At("b.zc"));
    Command(IDM_NEXT_SCRIPT);
    EXPECT_EQ(View.LastScriptPath, At("c.ZC"));
}

TEST_F(cFolderTest, ControlPageKeysChooseTheNeighbourWithoutTilting)
{
    Open(mStart);
    Pump();
    mSystem.PressKeyWith(VK_NEXT, ACCEL_CONTROL);
    Pump();
    EXPECT_EQ(View.LastScriptPath, At("A.zc"));
    mSystem.PressKeyWith(VK_PRIOR, ACCEL_CONTROL);
    Pump();
    EXPECT_EQ(View.LastScriptPath, At("Folder.zc"));
    EXPECT_EQ(View.CameraAngleX, 0.0f);
    // Without Ctrl they tilt as ever, and the menu shows the accelerators.
    mSystem.PressKeyWith(VK_NEXT, 0);
    Pump();
    EXPECT_FLOAT_EQ(View.CameraAngleX, 5.0f);
    EXPECT_EQ(View.LastScriptPath, At("Folder.zc"));
    EXPECT_EQ(mSystem.ItemAccelerator(IDM_NEXT_SCRIPT).VirtualKey, static_cast<std::uintptr_t>(VK_NEXT));
    EXPECT_EQ(mSystem.ItemAccelerator(IDM_PREVIOUS_SCRIPT).Modifiers, ACCEL_CONTROL);
}

TEST_F(cFolderTest, NothingHappensWithoutAScriptOrWithItAlone)
{
    Command(IDM_NEXT_SCRIPT);
    EXPECT_EQ(TheModel, nullptr);
    EXPECT_TRUE(mSystem.mDialogs.empty());
    const std::string Alone = Model("Alone", 2, 1).ScriptPath;
    Open(Alone);
    const std::size_t Dialogs = mSystem.mDialogs.size();
    Command(IDM_PREVIOUS_SCRIPT);
    EXPECT_EQ(mSystem.mDialogs.size(), Dialogs);
    EXPECT_EQ(View.LastScriptPath, Alone);
}

TEST_F(cShellTest, FileMenuKeepsOpenFirstAndExitLastWithTheNewItemsBetween)
{
    const auto Items = mSystem.PopupItems(FILE_MENU_POSITION);
    ASSERT_EQ(Items.size(), 9u);
    EXPECT_EQ(Items.front(), (std::pair<int, std::string>{IDM_OPEN, "Open script"}));
    EXPECT_EQ(Items[1].second, "Recent Scripts");
    EXPECT_EQ(Items[2].second, "Next Script in Folder");
    EXPECT_EQ(Items[3].second, "Previous Script in Folder");
    EXPECT_EQ(Items[4].second, "Save Picture...");
    EXPECT_EQ(Items[5].second, "Copy Picture");
    EXPECT_EQ(Items[6].second, "Export Animation...");
    EXPECT_EQ(Items[7].second, "Export glTF...");
    EXPECT_EQ(Items.back(), (std::pair<int, std::string>{IDM_EXIT, "Exit"}));
    EXPECT_TRUE(mSystem.PopupItems(FILE_MENU_POSITION, RECENT_MENU_POSITION).empty());
    EXPECT_EQ(mSystem.ItemAccelerator(IDM_COPY_PICTURE).VirtualKey, static_cast<std::uintptr_t>('C'));
    EXPECT_EQ(mSystem.ItemAccelerator(IDM_OPEN).VirtualKey, 0u);
}
}  // namespace
